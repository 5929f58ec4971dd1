#pragma once
#include <memory>

#include "sim/settings/StartupConfig.h"
#include "render/Bloom.h"
#include "sim/view/FrameSequences.h"
#include "render/Model.h"
#include "render/ParticleBursts.h"
#include "render/ParticleSystem.h"
#include "render/Shader.h"
#include "render/TextureLoader.h"

class GameSession;
class HUD;
struct SessionTextures;

// Draws one frame of a GameSession in the game's fixed order into the HDR
// target, then blurs and composites it into the window. It owns every GL
// resource the game makes at start-up: the nine programs, the bloom targets,
// the single textures, the frame sequences, the models, the HUD glyphs and
// the particle systems. It reads the simulation's state and never changes it,
// except for which texture an animated surface shows.
class SceneRenderer {
public:
    // Builds the nine programs, then the HDR and blur targets.
    explicit SceneRenderer(const StartupConfig& config);
    ~SceneRenderer();

    void loadTextures();
    void loadFrameSequences(bool animations);
    // The astronaut, the flag and the power-up's beet.
    void loadModels();
    // Texture names the simulation hands to the objects it creates.
    SessionTextures sessionTextures() const;
    // Uploads the level's boxes and creates the HUD, the standalone particle
    // system and the fixed sampler units.
    void attach(GameSession& session);

    void render(GameSession& session);
    // Frees the boxes' GPU buffers at shutdown: platforms, void, goal pad,
    // screens, goal.
    void releaseBuffers(GameSession& session);

private:
    void drawPlatforms(GameSession& session);
    void drawVoid(GameSession& session);
    void drawCharacterAndConfetti(GameSession& session);
    void drawGoalPadAndScreens(GameSession& session);

    StartupConfig config;
    Shader font, laser, model, bloom, blur, bloomFinal, animated, particle, particleGPU;
    Bloom targets;

    GlTexture platformsMagentaTexture, platformsBlueTexture, laserTexture, doorTexture, flagTexture, particleTexture,
        confettiTexture;
    OwnedTextures sequenceTextures;  // the frame sequences' textures; `sequences` holds their names
    FrameSequences sequences;
    Model astronaut, flag, beet;
    std::unique_ptr<HUD> hud;
    ParticleSystem standaloneParticles;
    ParticleBursts bursts;
};
