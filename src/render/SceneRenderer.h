#pragma once
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "render/Bloom.h"
#include "render/FrameSequences.h"
#include "render/GeometryGpu.h"
#include "render/Model.h"
#include "render/ParticleBursts.h"
#include "render/ParticleSystem.h"
#include "render/RenderStageTimer.h"
#include "render/Shader.h"
#include "render/TextureLoader.h"
#include "sim/view/FrameView.h"

class HUD;
class MenuOverlay;
class ImageDecodeQueue;
struct LevelDescription;
struct ParticleSeed;
struct StartupConfig;

// Draws one frame value in the game's fixed order into the HDR target, then
// blurs and composites it into the window. It owns every GL resource the game
// makes at start-up: the ten programs, the bloom targets, the single
// textures, the frame sequences, the models, the HUD glyphs and the particle
// systems, and the GPU copies of the level's boxes. It reads the frame value
// and the level's description and nothing else of the simulation.
class SceneRenderer {
public:
    // Builds the ten programs, then the HDR and blur targets. Every line the
    // renderer prints (a file that fails to load, a program that fails to
    // build) goes to `log`.
    SceneRenderer(const StartupConfig& config, std::ostream& log);
    ~SceneRenderer();

    // Every image file the two loads below read, in their order: the seven
    // single textures, then the frame sequences' files.
    static std::vector<std::string> startupImagePaths(const StartupConfig& config);
    // Both take their images from `decoded` when given (decoded ahead on
    // worker threads), else decode them here; failures print in file order.
    void loadTextures(ImageDecodeQueue* decoded = nullptr);
    void loadFrameSequences(bool animations, ImageDecodeQueue* decoded = nullptr);
    const FrameSequences& frameSequences() const { return sequences; }
    // The model files loadModels reads, in its order.
    static std::vector<std::string> startupModelPaths(const StartupConfig& config);
    // The astronaut, the flag and the power-up's beet: imported here, or
    // given already imported (importModelsAhead with the paths above).
    void loadModels();
    void loadModels(std::vector<ImportedModel> imported);
    // Uploads the level's boxes and, the first time, creates the HUD, the
    // standalone particle system and the fixed sampler units. Attaching a
    // later session's level (a retry or the next level) replaces only the
    // boxes and the jump bursts.
    void attach(const LevelDescription& level);

    // The window's framebuffer in pixels (it can differ from the window's size
    // on scaled desktops). The scene renders at the settings' size and the
    // composite stretches it over this; the settings' size until set.
    void setOutputSize(int width, int height) { targets.setOutputSize(width, height); }

    // F1's wireframe applies to the scene only: the HUD, the blur and the
    // composite are always filled. Each jump the frame lists starts a burst.
    void render(const FrameView& view);
    // A frame that is not drawn (a minimised window) still starts the bursts of its jumps.
    void skipFrame(const FrameView& view) { startBursts(view); }
    // A burst of particles at `origin`, as a jump starts one (the benchmark's dead bursts).
    void startBurst(const glm::vec3& origin);
    // The bloom's cost from now on (the options menu): the blur passes, and
    // the blur targets remade when their share of the render size changes.
    void setBloom(int blurPasses, float blurScale);
    // The size the scene, the HUD and the menus render at from the next frame
    // on (the options menu): the bloom targets are remade at it.
    void setRenderSize(int width, int height);
    // The benchmark's stage timer, marked at each stage of render(); none by default.
    void setStageTimer(RenderStageTimer* timer) { stageTimer = timer; }
    // Frees the boxes' GPU buffers at shutdown.
    void releaseBuffers();

private:
    void mark(RenderStage stage);
    // The size-dependent targets made again at the render size and blur share,
    // for the same output.
    void remakeTargets();
    void startBursts(const FrameView& view);
    // Draws the frame's objects of one kind with `shader`, each with its own picture.
    void drawBoxes(const FrameView& view, std::initializer_list<ObjectKind> kinds, const Shader& shader);
    unsigned pictureOf(const DrawnObject& object) const;
    void drawVoid(const FrameView& view);
    void drawAstronautAndConfetti(const FrameView& view);
    void drawGhosts(const FrameView& view);

    std::string assetPath;
    int renderWidth = 0, renderHeight = 0;
    float blurScale = 1.0f;  // the blur targets' share of the render size
    std::ostream& log;
    Shader font, laser, model, bloom, blur, bloomFinal, animated, particle, particleGPU, ghost;
    Bloom targets;

    GlTexture platformsMagentaTexture, platformsBlueTexture, laserTexture, doorTexture, flagTexture, particleTexture,
        confettiTexture;
    OwnedTextures sequenceTextures;  // the frame sequences' textures; `sequences` holds their names
    FrameSequences sequences;
    Model astronaut, flag, beet;
    std::unique_ptr<HUD> hud;
    std::unique_ptr<MenuOverlay> menuOverlay;
    ParticleSystem standaloneParticles;
    ParticleBursts bursts;
    std::vector<ParticleSeed> burstSeeds;  // one per burst started, in order
    std::vector<GpuBox> levelBoxes;        // one per box of the level's description, in its order
    GpuBox confettiBox;                    // every confetti piece is this box, moved
    RenderStageTimer* stageTimer = nullptr;
};
