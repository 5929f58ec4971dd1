#include "render/SceneRenderer.h"

#include <epoxy/gl.h>

#include <glm/gtc/matrix_transform.hpp>

#include "sim/frame/GameSession.h"
#include "sim/view/AnimationClock.h"
#include "sim/view/FrameSequenceLayout.h"
#include "sim/view/FrameView.h"
#include "render/GeometryGpu.h"
#include "render/HUD.h"
#include "render/ImageDecodeQueue.h"
#include "render/TextureLoader.h"
#include "render/WavingFlag.h"

namespace {

// The single textures in loading order (platforms magenta, platforms blue,
// laser, door, flag, particle, confetti).
const char* const kSingleTextures[] = {
    "/textures/platforms_magenta.png", "/textures/platforms_blue.png", "/textures/laser.png",
    "/textures/door.png",              "/textures/flag.png",           "/textures/particle.png",
    "/textures/confetti.png",
};

GlTexture loadImage(const std::string& path, ImageDecodeQueue* decoded, std::ostream& log)
{
    return decoded ? uploadImage(decoded->take(path), path, log) : loadTexture(path, log);
}

Shader makeProgram(const std::string& assetPath, const std::string& name, std::ostream& log)
{
    return Shader(assetPath + "/shaders/" + name + ".vs", assetPath + "/shaders/" + name + ".fs", log);
}

void drawPlatform(const Platform& platform, const GpuBox& box, const Shader& shader, unsigned texture)
{
    shader.use();
    box.draw(shader, platform.drawMatrix(), texture);
}

}  // namespace

SceneRenderer::SceneRenderer(const StartupConfig& cfg, std::ostream& log) : config(cfg), log(log)
{
    const std::string& a = config.assetPath;
    font = makeProgram(a, "font", log);
    laser = makeProgram(a, "laser", log);
    model = makeProgram(a, "model", log);
    bloom = makeProgram(a, "bloom", log);
    blur = makeProgram(a, "blur", log);
    bloomFinal = makeProgram(a, "bloom_final", log);
    animated = makeProgram(a, "animated", log);
    particle = makeProgram(a, "particle", log);
    const std::string vs = a + "/shaders/particleGPU.vs", fs = a + "/shaders/particleGPU.fs",
                      gs = a + "/shaders/particleGPU.gs", cs = a + "/shaders/particleGPU.cos";
    particleGPU = Shader(vs.c_str(), fs.c_str(), gs.c_str(), cs.c_str(), log);
    // Every program the game uses is built. The GLSL compiler keeps its
    // built-in function library (about 6 MiB in Mesa) until it is told that
    // no more source will come; a later compile would simply rebuild it.
    glReleaseShaderCompiler();

    targets.createTargets(static_cast<int>(config.renderWidth), static_cast<int>(config.renderHeight),
                          config.blurScale, log);
    targets.blurPasses = config.blurPasses;
}

SceneRenderer::~SceneRenderer() = default;

std::vector<std::string> SceneRenderer::startupImagePaths(const StartupConfig& config)
{
    std::vector<std::string> paths;
    for (const char* name : kSingleTextures) paths.push_back(config.assetPath + name);
    for (const FrameSequenceLayout& layout : kFrameSequenceLayouts)
        for (const std::string& name : frameFileNames(layout, config.animations))
            paths.push_back(config.assetPath + name);
    return paths;
}

void SceneRenderer::loadTextures(ImageDecodeQueue* decoded)
{
    GlTexture* slots[] = {&platformsMagentaTexture, &platformsBlueTexture, &laserTexture,   &doorTexture,
                          &flagTexture,             &particleTexture,      &confettiTexture};
    for (size_t i = 0; i < std::size(slots); ++i) *slots[i] = loadImage(config.assetPath + kSingleTextures[i], decoded, log);
}

void SceneRenderer::loadFrameSequences(bool animations, ImageDecodeQueue* decoded)
{
    sequences.load(config.assetPath, animations, [this, decoded](const std::string& path) {
        return sequenceTextures.keep(loadImage(path, decoded, log));
    });
}

std::vector<std::string> SceneRenderer::startupModelPaths(const StartupConfig& config)
{
    const std::string& a = config.assetPath;
    return {a + "/models/astronaut.obj", a + "/models/flag.obj", a + "/models/beet.obj"};
}

void SceneRenderer::loadModels()
{
    Model* slots[] = {&astronaut, &flag, &beet};
    const std::vector<std::string> paths = startupModelPaths(config);
    for (size_t i = 0; i < paths.size(); ++i) *slots[i] = Model(paths[i], log);
}

void SceneRenderer::loadModels(std::vector<ImportedModel> imported)
{
    Model* slots[] = {&astronaut, &flag, &beet};
    for (size_t i = 0; i < imported.size() && i < std::size(slots); ++i) *slots[i] = Model(std::move(imported[i]), log);
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

void SceneRenderer::attach(const GameSession& session)
{
    const Level& level = *session.level;
    boxes.platforms.clear();
    for (const Platform& p : level.platforms) boxes.platforms.emplace_back(p.geometry);
    boxes.voidPlane = GpuBox(level.voidPlane);
    boxes.goal = GpuBox(level.goal->geometry);
    boxes.goalPad = GpuBox(level.goalPad->geometry);
    boxes.frontScreen = GpuBox(level.frontScreen->geometry);
    boxes.backScreen = GpuBox(level.backScreen->geometry);
    boxes.confetti.clear();
    // A new session's jumps start a new list of bursts; the old systems go.
    bursts = ParticleBursts(&particleGPU, particleTexture);
    burstSeeds.clear();
    if (hud) return;  // a restart: the glyphs, the standalone system and the samplers stay

    hud = std::make_unique<HUD>(font, glm::vec2(static_cast<float>(config.renderWidth),
                                                static_cast<float>(config.renderHeight)),
                                config.assetPath, log);
    standaloneParticles.init(glm::vec3(0.0f), &particleGPU, particleTexture);
    Bloom::setupSamplers(bloom, blur, bloomFinal);
}

void SceneRenderer::render(const GameSession& s, const FrameView& v)
{
    mark(RenderStage::Scene);
    targets.beginFrame();
    glPolygonMode(GL_FRONT_AND_BACK, v.wireframe ? GL_LINE : GL_FILL);

    bloom.use();
    bloom.setMat4("projection", v.projection);
    bloom.setMat4("view", v.view);
    bloom.setVec3("lights[" + std::to_string(0) + "].Position", v.characterPosition);
    bloom.setVec3("lights[" + std::to_string(0) + "].Color", config.lightColour());
    bloom.setVec3("viewPos", v.cameraPosition);
    drawPlatforms(s, v);

    if (v.powerUpDrawn) {
        bloom.setMat4("model", s.level->powerUp->modelMatrix);
        beet.draw(bloom);
    }

    drawVoid(s, v);
    drawCharacterAndConfetti(s, v);

    mark(RenderStage::Particles);
    standaloneParticles.update(v.deltaTime, v.projection, v.view);
    startBursts(v);
    bursts.update(burstSeeds, v.deltaTime, v.projection, v.view);

    mark(RenderStage::Scene);
    drawGoalPadAndScreens(s, v);
    drawWavingFlag(animated, flag, flagTexture, v.projection, v.view, v.deltaTime, v.frameCount,
                   s.level->flagPlacement);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    if (v.hudVisible) {
        mark(RenderStage::Hud);
        hud->render(s.hud);
    }
    mark(RenderStage::Blur);
    targets.blurBrightPart(blur);
    mark(RenderStage::Composite);
    targets.composite(bloomFinal);
}

void SceneRenderer::startBursts(const FrameView& view)
{
    for (const FrameEvent& event : view.events)
        if (event.kind == FrameEventKind::FirstJump || event.kind == FrameEventKind::SecondJump)
            startBurst(event.position + glm::vec3(0.0f, 4.0f, 3.0f));
}

void SceneRenderer::startBurst(const glm::vec3& origin) { burstSeeds.push_back(ParticleSeed::spawn(origin)); }

void SceneRenderer::mark(RenderStage stage)
{
    if (stageTimer) stageTimer->mark(stage);
}

void SceneRenderer::drawPlatforms(const GameSession& s, const FrameView& v)
{
    const auto& platforms = s.level->platforms;
    for (size_t i = 0; i < platforms.size(); ++i) {
        if (!v.platformVisible[i]) continue;
        const Platform& p = platforms[i];
        const unsigned texture =
            p.isAnimated ? frameFor(p.isBlue ? sequences.platformBlueFrames : sequences.platformMagentaFrames,
                                    v.animationFrame)
                         : p.geometry.texture;
        drawPlatform(p, boxes.platforms[i], bloom, texture);
    }
}

void SceneRenderer::drawVoid(const GameSession& s, const FrameView& v)
{
    laser.use();
    laser.setMat4("projection", v.projection);
    laser.setMat4("view", v.view);
    if (!v.voidDrawn) return;
    const Geometry& plane = s.level->voidPlane;
    const float height = s.voidState.voidHeight;
    laser.setFloat("vaultrise", height);
    boxes.voidPlane.draw(laser, glm::translate(plane.model, glm::vec3(0.0f, height, 0.0f)),
                         frameFor(sequences.laserFrames, v.animationFrame));
}

void SceneRenderer::drawCharacterAndConfetti(const GameSession& s, const FrameView& v)
{
    model.use();
    model.setMat4("projection", v.projection);
    model.setMat4("view", v.view);
    model.setMat4("model", glm::translate(glm::mat4(1.0f), v.characterPosition));
    astronaut.draw(model);

    model.setMat4("projection", v.projection);
    model.setMat4("view", v.view);
    if (!s.confetti.active) return;
    const auto& pieces = s.confetti.pieces;
    while (boxes.confetti.size() < pieces.size()) boxes.confetti.emplace_back(pieces[boxes.confetti.size()].geometry);
    for (size_t i = 0; i < pieces.size(); ++i) {
        // Pieces tumble in the simulation but are drawn axis-aligned.
        boxes.confetti[i].draw(model, glm::translate(glm::mat4(1.0f), pieces[i].currentPosition()),
                               pieces[i].geometry.texture);
    }
}

void SceneRenderer::drawGoalPadAndScreens(const GameSession& s, const FrameView& v)
{
    const int32_t frame = v.animationFrame;
    const Level& level = *s.level;
    drawPlatform(*level.goalPad, boxes.goalPad, model, frameFor(sequences.videoFrames, frame));
    drawPlatform(*level.frontScreen, boxes.frontScreen, model, frameFor(sequences.videoFrontFrames, frame));
    drawPlatform(*level.backScreen, boxes.backScreen, model, frameFor(sequences.videoBackFrames, frame));
}

void SceneRenderer::releaseBuffers()
{
    for (GpuBox& box : boxes.platforms) box.release();
    boxes.voidPlane.release();
    boxes.goalPad.release();
    boxes.frontScreen.release();
    boxes.backScreen.release();
    boxes.goal.release();
    for (GpuBox& box : boxes.confetti) box.release();
}
