#include "render/SceneRenderer.h"

#include <epoxy/gl.h>

#include <algorithm>

#include <glm/gtc/matrix_transform.hpp>

#include "sim/level/LevelDescription.h"
#include "sim/settings/StartupConfig.h"
#include "sim/view/FlagPlacement.h"
#include "sim/view/FrameSequenceLayout.h"
#include "sim/view/ParticleSeed.h"
#include "render/GeometryGpu.h"
#include "render/HUD.h"
#include "render/MenuOverlay.h"
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

// How much of the ghost covers what lies behind it.
constexpr float kGhostOpacity = 0.45f;

// Every confetti piece is a 2 x 2 x 2 box.
const glm::vec3 kConfettiHalfExtents(1.0f);

}  // namespace

SceneRenderer::SceneRenderer(const StartupConfig& config, std::ostream& log)
    : assetPath(config.assetPath),
      renderWidth(static_cast<int>(config.renderWidth)),
      renderHeight(static_cast<int>(config.renderHeight)),
      blurScale(config.blurScale),
      log(log)
{
    const std::string& a = assetPath;
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
    ghost = Shader(a + "/shaders/model.vs", a + "/shaders/ghost.fs", log);
    // Every program the game uses is built. The GLSL compiler keeps its
    // built-in function library (about 6 MiB in Mesa) until it is told that
    // no more source will come; a later compile would simply rebuild it.
    glReleaseShaderCompiler();

    targets.createTargets(renderWidth, renderHeight, config.blurScale, log);
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
    for (size_t i = 0; i < std::size(slots); ++i) *slots[i] = loadImage(assetPath + kSingleTextures[i], decoded, log);
}

void SceneRenderer::loadFrameSequences(bool animations, ImageDecodeQueue* decoded)
{
    sequences.load(assetPath, animations, [this, decoded](const std::string& path) {
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
    const std::vector<std::string> paths = {assetPath + "/models/astronaut.obj", assetPath + "/models/flag.obj",
                                            assetPath + "/models/beet.obj"};
    for (size_t i = 0; i < paths.size(); ++i) *slots[i] = Model(paths[i], log);
}

void SceneRenderer::loadModels(std::vector<ImportedModel> imported)
{
    Model* slots[] = {&astronaut, &flag, &beet};
    for (size_t i = 0; i < imported.size() && i < std::size(slots); ++i) *slots[i] = Model(std::move(imported[i]), log);
}

void SceneRenderer::attach(const LevelDescription& level)
{
    levelBoxes.clear();
    for (const BoxDescription& box : level.boxes) levelBoxes.emplace_back(box.halfExtents);
    confettiBox = GpuBox(kConfettiHalfExtents);
    // A new session's jumps start a new list of bursts; the old systems go.
    bursts = ParticleBursts(&particleGPU, particleTexture);
    burstSeeds.clear();
    if (hud) return;  // a restart: the glyphs, the standalone system and the samplers stay

    hud = std::make_unique<HUD>(font, glm::vec2(static_cast<float>(renderWidth), static_cast<float>(renderHeight)),
                                assetPath, log);
    menuOverlay = std::make_unique<MenuOverlay>();
    standaloneParticles.init(glm::vec3(0.0f), &particleGPU, particleTexture);
    Bloom::setupSamplers(bloom, blur, bloomFinal);
}

void SceneRenderer::render(const FrameView& v)
{
    mark(RenderStage::Scene);
    targets.beginFrame();
    glPolygonMode(GL_FRONT_AND_BACK, v.wireframe ? GL_LINE : GL_FILL);

    bloom.use();
    bloom.setMat4("projection", v.projection);
    bloom.setMat4("view", v.view);
    bloom.setVec3("lights[" + std::to_string(0) + "].Position", v.characterPosition);
    bloom.setVec3("lights[" + std::to_string(0) + "].Color", v.lightColour);
    bloom.setVec3("viewPos", v.cameraPosition);
    drawBoxes(v, {ObjectKind::Platform, ObjectKind::Wall, ObjectKind::Floor}, bloom);
    for (const DrawnObject& object : v.objects) {
        if (object.kind != ObjectKind::PowerUp) continue;
        bloom.setMat4("model", object.transform);
        beet.draw(bloom);
    }

    drawVoid(v);
    drawAstronautAndConfetti(v);

    mark(RenderStage::Particles);
    standaloneParticles.update(v.deltaTime, v.projection, v.view);
    startBursts(v);
    bursts.update(burstSeeds, v.deltaTime, v.projection, v.view);

    mark(RenderStage::Scene);
    drawBoxes(v, {ObjectKind::GoalPad, ObjectKind::FrontScreen, ObjectKind::BackScreen}, model);
    for (const DrawnObject& object : v.objects)
        if (object.kind == ObjectKind::Flag)
            drawWavingFlag(animated, flag, flagTexture, v.projection, v.view, v.deltaTime, v.frameCount,
                           glm::vec3(object.transform[3]));
    drawGhosts(v);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    if (v.hudVisible) {
        mark(RenderStage::Hud);
        hud->render(v.hudLines);
    }
    if (v.menu.shown) {
        const float width = static_cast<float>(renderWidth), height = static_cast<float>(renderHeight);
        menuOverlay->draw(*hud, font, layoutMenu(v.menu, width, height), width, height);
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

void SceneRenderer::setBloom(int blurPasses, float blurScale)
{
    targets.blurPasses = blurPasses;
    if (blurScale == this->blurScale) return;
    this->blurScale = blurScale;
    remakeTargets();
}

void SceneRenderer::setRenderSize(int width, int height)
{
    if (width == renderWidth && height == renderHeight) return;
    renderWidth = width;
    renderHeight = height;
    remakeTargets();
    if (hud) hud->screenSize = glm::vec2(static_cast<float>(width), static_cast<float>(height));
}

// The old targets are freed as their owners are assigned the new ones.
void SceneRenderer::remakeTargets()
{
    const int outputWidth = targets.outputWidth, outputHeight = targets.outputHeight;
    targets.createTargets(renderWidth, renderHeight, blurScale, log);
    targets.setOutputSize(outputWidth, outputHeight);
}

void SceneRenderer::mark(RenderStage stage)
{
    if (stageTimer) stageTimer->mark(stage);
}

unsigned SceneRenderer::pictureOf(const DrawnObject& object) const
{
    const int32_t frame = object.picture;
    switch (object.kind) {
    case ObjectKind::Platform:
        return frameFor(object.blue ? sequences.platformBlueFrames : sequences.platformMagentaFrames, frame);
    case ObjectKind::Wall: return object.blue ? platformsBlueTexture : platformsMagentaTexture;
    case ObjectKind::Floor: return platformsBlueTexture;
    case ObjectKind::Void: return frameFor(sequences.laserFrames, frame);
    case ObjectKind::GoalPad: return frameFor(sequences.videoFrames, frame);
    case ObjectKind::FrontScreen: return frameFor(sequences.videoFrontFrames, frame);
    case ObjectKind::BackScreen: return frameFor(sequences.videoBackFrames, frame);
    case ObjectKind::Confetti: return confettiTexture;
    default: return 0;
    }
}

void SceneRenderer::drawBoxes(const FrameView& view, std::initializer_list<ObjectKind> kinds, const Shader& shader)
{
    for (const DrawnObject& object : view.objects) {
        if (std::find(kinds.begin(), kinds.end(), object.kind) == kinds.end() || object.box >= levelBoxes.size())
            continue;
        shader.use();
        levelBoxes[object.box].draw(shader, object.transform, pictureOf(object));
    }
}

void SceneRenderer::drawVoid(const FrameView& v)
{
    laser.use();
    laser.setMat4("projection", v.projection);
    laser.setMat4("view", v.view);
    for (const DrawnObject& object : v.objects) {
        if (object.kind != ObjectKind::Void || object.box >= levelBoxes.size()) continue;
        laser.setFloat("vaultrise", v.voidHeight);
        levelBoxes[object.box].draw(laser, object.transform, pictureOf(object));
    }
}

void SceneRenderer::drawAstronautAndConfetti(const FrameView& v)
{
    model.use();
    model.setMat4("projection", v.projection);
    model.setMat4("view", v.view);
    for (const DrawnObject& object : v.objects) {
        if (object.kind != ObjectKind::Astronaut) continue;
        model.setMat4("model", object.transform);
        astronaut.draw(model);
    }

    model.setMat4("projection", v.projection);
    model.setMat4("view", v.view);
    // Pieces tumble in the simulation but are drawn axis-aligned.
    for (const DrawnObject& object : v.objects)
        if (object.kind == ObjectKind::Confetti) confettiBox.draw(model, object.transform, pictureOf(object));
}

// After every opaque object, so that they show through it; it tests depth but
// writes none, so it hides nothing drawn after it. It lights nothing and
// casts nothing: the scene's one light stays with the player.
void SceneRenderer::drawGhosts(const FrameView& v)
{
    const GLboolean blending = glIsEnabled(GL_BLEND);
    bool started = false;
    for (const DrawnObject& object : v.objects) {
        if (object.kind != ObjectKind::Ghost) continue;
        if (!started) {
            started = true;
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glDepthMask(GL_FALSE);
            ghost.use();
            ghost.setMat4("projection", v.projection);
            ghost.setMat4("view", v.view);
            ghost.setFloat("opacity", kGhostOpacity);
        }
        ghost.setMat4("model", object.transform);
        astronaut.draw(ghost);
    }
    if (!started) return;
    glDepthMask(GL_TRUE);
    if (!blending) glDisable(GL_BLEND);
}

void SceneRenderer::releaseBuffers()
{
    for (GpuBox& box : levelBoxes) box.release();
    confettiBox.release();
}
