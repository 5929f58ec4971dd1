#pragma once
#include <cstdint>
#include <functional>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

class Model;
class Shader;

// Draws the goal flag with the `animated` program, whose vertex stage waves
// the cloth from "tick" (frames so far) and "dT" (this frame's seconds).
// `drawModel` draws the flag model with the program it is given.
void drawWavingFlag(const Shader& animated, const std::function<void(const Shader&)>& drawModel,
                    unsigned flagTexture, const glm::mat4& projection, const glm::mat4& view, float deltaTime,
                    int32_t frameCount, const glm::vec3& placement);

// The same with the flag's loaded model.
void drawWavingFlag(const Shader& animated, const Model& flagModel, unsigned flagTexture, const glm::mat4& projection,
                    const glm::mat4& view, float deltaTime, int32_t frameCount, const glm::vec3& placement);
