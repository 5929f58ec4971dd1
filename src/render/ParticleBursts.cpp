#include "render/ParticleBursts.h"

#include "sim/view/ParticleSeed.h"

ParticleBursts::ParticleBursts(Shader* particleProgram, unsigned particleTexture)
    : program(particleProgram), texture(particleTexture)
{
}

void ParticleBursts::adopt(const std::vector<ParticleSeed>& seeds)
{
    for (size_t i = systems.size(); i < seeds.size(); ++i) {
        ParticleSystem system;
        system.init(seeds[i], program, texture);
        systems.push_back(std::move(system));
    }
}

void ParticleBursts::update(float dt, const glm::mat4& projection, const glm::mat4& view)
{
    for (ParticleSystem& system : systems) system.update(dt, projection, view);
}

void ParticleBursts::update(const std::vector<ParticleSeed>& seeds, float dt, const glm::mat4& projection,
                            const glm::mat4& view)
{
    adopt(seeds);
    update(dt, projection, view);
}
