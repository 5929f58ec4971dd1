#pragma once
#include <vector>

#include <glm/mat4x4.hpp>

#include "render/ParticleSystem.h"

class Shader;
struct ParticleSeed;

// The GPU side of the jump bursts: the game manager records one seed per jump
// (its random draws happen at the jump), and this turns every seed it has not
// seen yet into a particle system. Systems are never removed: a burst that has
// died out keeps its slot but is no longer stepped, read back or drawn.
// The bursts own their systems (moved, never copied) until they die.
class ParticleBursts {
public:
    ParticleBursts() = default;
    ParticleBursts(Shader* particleProgram, unsigned particleTexture);
    ParticleBursts(const ParticleBursts&) = delete;
    ParticleBursts& operator=(const ParticleBursts&) = delete;
    ParticleBursts(ParticleBursts&&) noexcept = default;
    ParticleBursts& operator=(ParticleBursts&&) noexcept = default;

    // Creates a system for each seed past the ones already adopted, in order.
    void adopt(const std::vector<ParticleSeed>& seeds);
    // Steps and draws every system in creation order.
    void update(float dt, const glm::mat4& projection, const glm::mat4& view);
    // The per-frame call: adopt new seeds, then step and draw all.
    void update(const std::vector<ParticleSeed>& seeds, float dt, const glm::mat4& projection, const glm::mat4& view);

    Shader* program = nullptr;
    unsigned texture = 0;
    std::vector<ParticleSystem> systems;
};
