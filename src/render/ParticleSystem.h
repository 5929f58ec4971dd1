#pragma once
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include "render/GlObject.h"

class Shader;
struct ParticleSeed;

// A pool of at most 100 particles simulated and drawn on the GPU. Two pairs of
// storage buffers (position, velocity) alternate: each step reads one pair and
// compacts the survivors into the other, counting them with an atomic counter
// whose 4 bytes are the only data read back. A system owns its buffers and
// vertex arrays: it moves but never copies, and deletes them when it dies. The
// program and the sprite texture are only borrowed.
class ParticleSystem {
public:
    static constexpr unsigned kMaxCount = 100;

    ParticleSystem() = default;
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;
    ParticleSystem(ParticleSystem&&) noexcept = default;
    ParticleSystem& operator=(ParticleSystem&&) noexcept = default;

    // Spawns 100 particles around `origin` (drawing from the shared rand()
    // sequence now) and uploads them.
    void init(const glm::vec3& origin, Shader* particleProgram, unsigned particleTexture);
    // Uploads a pool spawned earlier, e.g. at the moment of a jump.
    void init(const ParticleSeed& seed, Shader* particleProgram, unsigned particleTexture);

    // One compute step of dt seconds, then draw; nothing at all once every
    // particle has died.
    void update(float dt, const glm::mat4& projection, const glm::mat4& view);
    // Draws the live particles of the current pair as points, depth-tested
    // but leaving the depth buffer as it was.
    void draw(const glm::mat4& projection, const glm::mat4& view);

    float positionW = 1.0f;
    unsigned attribLocation = 0;
    unsigned texture = 0;
    Shader* program = nullptr;
    GlVertexArray vao[2];
    GlBuffer positionBuffer[2];
    GlBuffer velocityBuffer[2];
    std::vector<glm::vec4> positions;
    std::vector<glm::vec4> velocities;
    GlBuffer counterBuffer;
    unsigned count = 0;
    bool current = false;

private:
    void createBuffers();
    void upload();
    void createVertexArrays();
};
