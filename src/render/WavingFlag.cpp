#include "render/WavingFlag.h"

#include <epoxy/gl.h>

#include "sim/view/FlagPlacement.h"
#include "render/Model.h"
#include "render/Shader.h"

void drawWavingFlag(const Shader& animated, const std::function<void(const Shader&)>& drawModel,
                    unsigned flagTexture, const glm::mat4& projection, const glm::mat4& view, float deltaTime,
                    int32_t frameCount, const glm::vec3& placement)
{
    animated.use();
    animated.setMat4("projection", projection);
    animated.setMat4("view", view);
    animated.setFloat("dT", deltaTime);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, flagTexture);
    const glm::mat4 model = flagModelMatrix(placement);
    animated.setFloat("tick", static_cast<float>(frameCount));
    animated.setMat4("model", model);
    drawModel(animated);
}

void drawWavingFlag(const Shader& animated, const Model& flagModel, unsigned flagTexture, const glm::mat4& projection,
                    const glm::mat4& view, float deltaTime, int32_t frameCount, const glm::vec3& placement)
{
    drawWavingFlag(
        animated, [&flagModel](const Shader& shader) { flagModel.draw(shader); }, flagTexture, projection, view,
        deltaTime, frameCount, placement);
}
