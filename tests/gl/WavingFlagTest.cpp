#include <epoxy/gl.h>

#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "render/Model.h"
#include "render/WavingFlag.h"
#include "support/GlTest.h"
#include "support/OffscreenTarget.h"

using WavingFlag = GlTest;

// The flag's pole (shaft, foot plate and ball) and its cloth drawn apart, each
// at two ticks, seen from the side the cloth faces: the pole's pixels are the
// same, the cloth's are not.
TEST_F(WavingFlag, OnlyTheClothMovesThePoleStaysWhole)
{
    const Shader animated = gameShader("animated");
    Model flag;
    ASSERT_EQ(captureStdout([&] { flag = Model(std::string(VAULTRISE_SOURCE_DIR) + "/assets/models/flag.obj", std::cout); }), "");
    ASSERT_EQ(flag.meshes.size(), 2u) << "the pole, then the cloth";
    glEnable(GL_DEPTH_TEST);
    OffscreenTarget target(320, 180);
    // With no placement the quarter turn points the cloth along -z and its face along +x.
    const glm::mat4 projection = glm::perspective(glm::radians(45.0f), 320.0f / 180.0f, 0.1f, 100.0f);
    const glm::mat4 view = glm::lookAt(glm::vec3(16.0f, 5.5f, -3.0f), glm::vec3(0.0f, 5.5f, -3.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    auto picture = [&](const Mesh& part, int tick) {
        target.clear();
        drawWavingFlag(animated, [&](const Shader& s) { part.draw(s); }, 0, projection, view, 1.0f / 30.0f, tick, glm::vec3(0.0f));
        std::vector<unsigned char> pixels(320 * 180 * 4);
        glReadPixels(0, 0, 320, 180, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    auto differing = [](const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
        int count = 0;
        for (size_t i = 0; i < a.size(); i += 4) count += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
        return count;
    };
    const std::vector<unsigned char> pole = picture(flag.meshes[0], 10);
    EXPECT_GT(target.lit(0, 0, 320, 180), 300) << "the pole is in view";
    for (const int tick : {11, 27, 52}) EXPECT_EQ(differing(pole, picture(flag.meshes[0], tick)), 0) << "tick " << tick;
    EXPECT_GT(differing(picture(flag.meshes[1], 10), picture(flag.meshes[1], 27)), 1000) << "the cloth waves";
}
