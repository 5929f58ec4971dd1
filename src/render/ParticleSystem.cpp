#include "render/ParticleSystem.h"

#include <epoxy/gl.h>

#include "sim/view/ParticleSeed.h"
#include "render/Shader.h"

namespace {

constexpr GLsizeiptr kPoolBytes = ParticleSystem::kMaxCount * sizeof(glm::vec4);  // 1600
constexpr GLuint kCounterBinding = 4;

GlBuffer createStorageBuffer(const char* label)
{
    GlBuffer buffer = GlBuffer::create();
    buffer.label(label);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
    glBufferData(GL_SHADER_STORAGE_BUFFER, kPoolBytes, nullptr, GL_DYNAMIC_DRAW);
    return buffer;
}

void uploadInto(unsigned buffer, const std::vector<glm::vec4>& data, unsigned count)
{
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
    glBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, static_cast<GLsizeiptr>(count * sizeof(glm::vec4)), data.data());
}

// The compute program is a separate GL program from `id`, so its uniforms are
// set through its own locations rather than the Shader setters.
GLint computeUniform(const Shader& shader, const char* name) { return glGetUniformLocation(shader.computeId, name); }

}  // namespace

void ParticleSystem::init(const glm::vec3& origin, Shader* particleProgram, unsigned particleTexture)
{
    program = particleProgram;
    texture = particleTexture;
    createBuffers();
    const ParticleSeed seed = ParticleSeed::spawn(origin, positionW);
    positions = seed.positions;
    velocities = seed.velocities;
    upload();
    createVertexArrays();
}

void ParticleSystem::init(const ParticleSeed& seed, Shader* particleProgram, unsigned particleTexture)
{
    program = particleProgram;
    texture = particleTexture;
    createBuffers();
    positions = seed.positions;
    velocities = seed.velocities;
    upload();
    createVertexArrays();
}

void ParticleSystem::createBuffers()
{
    positionBuffer[0] = createStorageBuffer("particle positions 0");
    positionBuffer[1] = createStorageBuffer("particle positions 1");
    velocityBuffer[0] = createStorageBuffer("particle velocities 0");
    velocityBuffer[1] = createStorageBuffer("particle velocities 1");
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);

    // Before the first step the counter reads as a full pool: the first
    // dispatch cannot claim a slot, leaves both pairs as spawned and reports 100.
    const GLuint full = kMaxCount;
    counterBuffer = GlBuffer::create();
    counterBuffer.label("particle counter");
    glBindBuffer(GL_ATOMIC_COUNTER_BUFFER, counterBuffer);
    glBufferData(GL_ATOMIC_COUNTER_BUFFER, sizeof(GLuint), &full, GL_DYNAMIC_DRAW);
    glBindBuffer(GL_ATOMIC_COUNTER_BUFFER, 0);
}

void ParticleSystem::upload()
{
    count = static_cast<unsigned>(positions.size());
    const int now = current ? 1 : 0;
    const int other = 1 - now;
    uploadInto(positionBuffer[now], positions, count);
    uploadInto(velocityBuffer[now], velocities, count);
    uploadInto(positionBuffer[other], positions, count);
    uploadInto(velocityBuffer[other], velocities, count);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
}

void ParticleSystem::createVertexArrays()
{
    for (int k = 0; k < 2; ++k) {
        vao[k] = GlVertexArray::create();
        glBindVertexArray(vao[k]);
        glBindBuffer(GL_ARRAY_BUFFER, positionBuffer[k]);
        glEnableVertexAttribArray(attribLocation);
        glVertexAttribPointer(attribLocation, 4, GL_FLOAT, GL_FALSE, 0, nullptr);
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void ParticleSystem::update(float dt, const glm::mat4& projection, const glm::mat4& view)
{
    // A pool with nothing alive stays empty for good (the step only drops
    // particles), and its dispatch, counter read-back and draw would change no
    // pixel: a dead burst costs the frame nothing, not even a GPU sync.
    if (count == 0) return;
    glUseProgram(program->computeId);
    glUniform1ui(computeUniform(*program, "LastCount"), count);
    glUniform1ui(computeUniform(*program, "MaxCount"), kMaxCount);
    glUniform1f(computeUniform(*program, "DeltaT"), dt);

    const int now = current ? 1 : 0;
    const int other = 1 - now;
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 0, positionBuffer[now]);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 1, velocityBuffer[now]);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 2, positionBuffer[other]);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 3, velocityBuffer[other]);
    // The survivors must be counted in this pool's own counter; the binding
    // point is shared by every pool, so it is claimed before the dispatch.
    glBindBufferBase(GL_ATOMIC_COUNTER_BUFFER, kCounterBinding, counterBuffer);
    current = !current;

    glDispatchCompute(count / 256 + 1, 1, 1);
    glMemoryBarrier(GL_ATOMIC_COUNTER_BARRIER_BIT);

    glBindBufferBase(GL_ATOMIC_COUNTER_BUFFER, kCounterBinding, counterBuffer);
    auto* counter = static_cast<GLuint*>(
        glMapBufferRange(GL_ATOMIC_COUNTER_BUFFER, 0, sizeof(GLuint), GL_MAP_READ_BIT | GL_MAP_WRITE_BIT));
    if (counter) {
        count = *counter;
        *counter = 0;
        glUnmapBuffer(GL_ATOMIC_COUNTER_BUFFER);
    }

    glMemoryBarrier(GL_VERTEX_ATTRIB_ARRAY_BARRIER_BIT);
    draw(projection, view);
}

void ParticleSystem::draw(const glm::mat4& projection, const glm::mat4& view)
{
    program->use();
    program->setMat4("view", view);
    program->setMat4("model", glm::mat4(1.0f));
    program->setMat4("ProjectionMatrix", projection);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindVertexArray(vao[current ? 1 : 0]);
    // Sparks are tested against the scene's depth but never write it: their
    // faint, blended fringes would otherwise punch holes in what is drawn later.
    glDepthMask(GL_FALSE);
    glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(count));
    glDepthMask(GL_TRUE);
    glBindVertexArray(0);
    glUseProgram(0);
}
