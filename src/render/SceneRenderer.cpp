#include "render/SceneRenderer.h"

#include <epoxy/gl.h>

#include <glm/gtc/matrix_transform.hpp>

#include "sim/frame/GameSession.h"
#include "sim/view/AnimationClock.h"
#include "render/GeometryGpu.h"
#include "render/HUD.h"
#include "render/TextureLoader.h"
#include "render/WavingFlag.h"

namespace {

Shader makeProgram(const std::string& assetPath, const std::string& name)
{
    return Shader(assetPath + "/shaders/" + name + ".vs", assetPath + "/shaders/" + name + ".fs");
}

void drawPlatform(const Platform& platform, const Shader& shader)
{
    shader.use();
    drawGeometry(platform.geometry, shader, platform.drawMatrix());
}

}  // namespace

SceneRenderer::SceneRenderer(const StartupConfig& cfg) : config(cfg)
{
    const std::string& a = config.assetPath;
    font = makeProgram(a, "font");
    laser = makeProgram(a, "laser");
    model = makeProgram(a, "model");
    bloom = makeProgram(a, "bloom");
    blur = makeProgram(a, "blur");
    bloomFinal = makeProgram(a, "bloom_final");
    animated = makeProgram(a, "animated");
    particle = makeProgram(a, "particle");
    const std::string vs = a + "/shaders/particleGPU.vs", fs = a + "/shaders/particleGPU.fs",
                      gs = a + "/shaders/particleGPU.gs", cs = a + "/shaders/particleGPU.cos";
    particleGPU = Shader(vs.c_str(), fs.c_str(), gs.c_str(), cs.c_str());

    targets.createTargets(static_cast<int>(config.renderWidth), static_cast<int>(config.renderHeight));
}

SceneRenderer::~SceneRenderer() = default;

void SceneRenderer::loadTextures()
{
    const std::string& a = config.assetPath;
    platformsMagentaTexture = loadTexture(a + "/textures/platforms_magenta.png");
    platformsBlueTexture = loadTexture(a + "/textures/platforms_blue.png");
    laserTexture = loadTexture(a + "/textures/laser.png");
    doorTexture = loadTexture(a + "/textures/door.png");
    flagTexture = loadTexture(a + "/textures/flag.png");
    particleTexture = loadTexture(a + "/textures/particle.png");
    confettiTexture = loadTexture(a + "/textures/confetti.png");
}

void SceneRenderer::loadFrameSequences(bool animations)
{
    sequences.load(config.assetPath, animations,
                   [this](const std::string& path) { return sequenceTextures.load(path); });
}

void SceneRenderer::loadModels()
{
    astronaut = Model(config.assetPath + "/models/astronaut.obj");
    flag = Model(config.assetPath + "/models/flag.obj");
    beet = Model(config.assetPath + "/models/beet.obj");
}

SessionTextures SceneRenderer::sessionTextures() const
{
    SessionTextures t;
    t.level.platformsMagenta = platformsMagentaTexture;
    t.level.platformsBlue = platformsBlueTexture;
    t.level.laser = laserTexture;
    t.level.door = doorTexture;
    t.level.platformBlueFirst = frameFor(sequences.platformBlueFrames, 0);
    t.level.platformMagentaFirst = frameFor(sequences.platformMagentaFrames, 0);
    t.level.videoFirst = frameFor(sequences.videoFrames, 0);
    t.level.videoFrontFirst = frameFor(sequences.videoFrontFrames, 0);
    t.level.videoBackFirst = frameFor(sequences.videoBackFrames, 0);
    t.confetti = confettiTexture;
    return t;
}

void SceneRenderer::attach(GameSession& session)
{
    Level& level = *session.level;
    for (Platform& p : level.platforms) uploadGeometry(p.geometry);
    uploadGeometry(level.voidPlane);
    uploadGeometry(level.goal->geometry);
    uploadGeometry(level.goalPad->geometry);
    uploadGeometry(level.frontScreen->geometry);
    uploadGeometry(level.backScreen->geometry);

    hud = std::make_unique<HUD>(font, glm::vec2(static_cast<float>(config.renderWidth),
                                                static_cast<float>(config.renderHeight)),
                                session.gameManager);
    standaloneParticles.init(glm::vec3(0.0f), &particleGPU, particleTexture);
    bursts = ParticleBursts(&particleGPU, particleTexture);
    Bloom::setupSamplers(bloom, blur, bloomFinal);
}

void SceneRenderer::render(GameSession& s)
{
    const glm::mat4& projection = s.projection;
    const glm::mat4& view = s.view;
    const glm::vec3 characterPosition = s.character.getPosition();

    targets.beginFrame();

    bloom.use();
    bloom.setMat4("projection", projection);
    bloom.setMat4("view", view);
    bloom.setVec3("lights[" + std::to_string(0) + "].Position", characterPosition);
    bloom.setVec3("lights[" + std::to_string(0) + "].Color", config.lightColour());
    bloom.setVec3("viewPos", s.camera.position);
    drawPlatforms(s);

    if (s.powerUpDrawn) {
        bloom.setMat4("model", s.level->powerUp->modelMatrix);
        beet.draw(bloom);
    }

    drawVoid(s);
    drawCharacterAndConfetti(s);

    standaloneParticles.update(s.frame.deltaTime, projection, view);
    bursts.update(s.gameManager.particleBursts, s.frame.deltaTime, projection, view);

    drawGoalPadAndScreens(s);
    drawWavingFlag(animated, flag, flagTexture, projection, view, s.frame.deltaTime, s.frame.frameCount,
                   s.level->flagPlacement);

    if (s.input.hudVisible) {
        hud->render(s.hud);
    }
    targets.blurAndComposite(blur, bloomFinal);
}

void SceneRenderer::drawPlatforms(GameSession& s)
{
    const int32_t frame = s.frame.animationFrame;
    auto& platforms = s.level->platforms;
    for (size_t i = 0; i < platforms.size(); ++i) {
        Platform& p = platforms[i];
        if (p.isAnimated)
            p.geometry.texture = frameFor(p.isBlue ? sequences.platformBlueFrames : sequences.platformMagentaFrames, frame);
        if (s.platformVisible[i]) drawPlatform(p, bloom);
    }
}

void SceneRenderer::drawVoid(GameSession& s)
{
    laser.use();
    laser.setMat4("projection", s.projection);
    laser.setMat4("view", s.view);
    if (!s.voidDrawn) return;
    Geometry& plane = s.level->voidPlane;
    plane.texture = frameFor(sequences.laserFrames, s.frame.animationFrame);
    const float height = s.voidState.voidHeight;
    laser.setFloat("vaultrise", height);
    drawGeometry(plane, laser, glm::translate(plane.model, glm::vec3(0.0f, height, 0.0f)));
}

void SceneRenderer::drawCharacterAndConfetti(GameSession& s)
{
    model.use();
    model.setMat4("projection", s.projection);
    model.setMat4("view", s.view);
    model.setMat4("model", glm::translate(glm::mat4(1.0f), s.character.getPosition()));
    astronaut.draw(model);

    model.setMat4("projection", s.projection);
    model.setMat4("view", s.view);
    if (!s.confetti.active) return;
    for (Confetti& piece : s.confetti.pieces) {
        if (piece.geometry.vao == 0) uploadGeometry(piece.geometry);
        // Pieces tumble in the simulation but are drawn axis-aligned.
        drawGeometry(piece.geometry, model, glm::translate(glm::mat4(1.0f), piece.currentPosition()));
    }
}

void SceneRenderer::drawGoalPadAndScreens(GameSession& s)
{
    const int32_t frame = s.frame.animationFrame;
    Level& level = *s.level;
    level.goalPad->geometry.texture = frameFor(sequences.videoFrames, frame);
    level.frontScreen->geometry.texture = frameFor(sequences.videoFrontFrames, frame);
    level.backScreen->geometry.texture = frameFor(sequences.videoBackFrames, frame);
    drawPlatform(*level.goalPad, model);
    drawPlatform(*level.frontScreen, model);
    drawPlatform(*level.backScreen, model);
}

void SceneRenderer::releaseBuffers(GameSession& session)
{
    Level& level = *session.level;
    for (Platform& p : level.platforms) ::releaseBuffers(p.geometry);
    ::releaseBuffers(level.voidPlane);
    ::releaseBuffers(level.goalPad->geometry);
    ::releaseBuffers(level.frontScreen->geometry);
    ::releaseBuffers(level.backScreen->geometry);
    ::releaseBuffers(level.goal->geometry);
}
