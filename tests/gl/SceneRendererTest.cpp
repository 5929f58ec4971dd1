#include <gtest/gtest.h>

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "sim/frame/GameLoop.h"
#include "sim/frame/GameSession.h"
#include "render/ImageDecodeQueue.h"
#include "render/SceneRenderer.h"
#include "support/FakeHost.h"
#include "support/GlTest.h"
#include "support/TempFiles.h"

namespace {

struct RenderedGame {
    RenderedGame(const std::string& levelText)
        : window(320, 180)
    {
        config.assetPath = std::string(VAULTRISE_SOURCE_DIR) + "/assets";
        config.renderWidth = 320;
        config.renderHeight = 180;
        config.aspectRatio = 320.0f / 180.0f;
        config.fieldOfView = 45.0f * 0.017453292f;
        config.loadTime = 0;
        config.animations = false;
        IniFile settings(config.assetPath + "/settings/settings.ini");
        IniFile level(writeTempFile("level", levelText));
        glEnable(GL_DEPTH_TEST);
        output = captureStdout([&] {
            renderer = std::make_unique<SceneRenderer>(config);
            renderer->loadTextures();
            renderer->loadFrameSequences(config.animations);
            renderer->loadModels();
            session = std::make_unique<GameSession>(config, std::move(settings), std::move(level),
                                                    renderer->sessionTextures(), std::cout);
            renderer->attach(*session);
        });
        loop = std::make_unique<GameLoop>(*session, host);
    }

    void frame(float dt = 1.0f / 60.0f)
    {
        clock += dt;
        output += captureStdout([&] {
            renderer->render(*session, loop->runFrame(clock));
        });
    }

    GlTestWindow window;
    StartupConfig config;
    FakeHost host;
    std::unique_ptr<SceneRenderer> renderer;
    std::unique_ptr<GameSession> session;
    std::unique_ptr<GameLoop> loop;
    std::string output;
    float clock = 0.0f;
};

std::vector<unsigned char> readWindow()
{
    std::vector<unsigned char> pixels(320 * 180 * 4);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadPixels(0, 0, 320, 180, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

}  // namespace

TEST(SceneRenderer, AFrameOfTheShippedAssetsDrawsTheSceneWithoutErrors)
{
    RenderedGame game(R"(
[world]
dimensionX = 60
dimensionZ = 60
charStartY = 3
charStartZ = 0
)");
    ASSERT_TRUE(game.window.ok());
    for (int i = 0; i < 60; ++i) game.frame();
    EXPECT_EQ(game.output, "");
    const auto pixels = readWindow();
    int distinct = 0;
    for (size_t i = 4; i < pixels.size(); i += 4)
        if (pixels[i] != pixels[0] || pixels[i + 1] != pixels[1] || pixels[i + 2] != pixels[2]) ++distinct;
    EXPECT_GT(distinct, 320 * 180 / 4) << "most of the window should show the level, not the clear colour";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Decoding ahead on worker threads changes neither what is loaded nor the
// order of the failure lines: single textures first, then the frames, each in
// file order. Only the laser texture and the video frames exist here.
TEST(SceneRenderer, ImagesDecodedAheadPrintTheSameFailuresInTheSameOrderAndLoadTheSameFrames)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    ScratchDir assets;
    const std::string shipped = std::string(VAULTRISE_SOURCE_DIR) + "/assets";
    std::filesystem::create_directories(assets.path + "/textures");
    std::filesystem::create_directory_symlink(shipped + "/shaders", assets.path + "/shaders");
    std::filesystem::create_directory_symlink(shipped + "/textures/video", assets.path + "/textures/video");
    std::filesystem::create_symlink(shipped + "/textures/laser.png", assets.path + "/textures/laser.png");
    StartupConfig config;
    config.assetPath = assets.path;
    config.renderWidth = 64;
    config.renderHeight = 36;
    std::string lines[2];
    for (int ahead = 0; ahead < 2; ++ahead) {
        SceneRenderer renderer(config);
        lines[ahead] = captureStdout([&] {
            ImageDecodeQueue queue(SceneRenderer::startupImagePaths(config), 2, 8);
            renderer.loadTextures(ahead ? &queue : nullptr);
            renderer.loadFrameSequences(true, ahead ? &queue : nullptr);
        });
        const SessionTextures textures = renderer.sessionTextures();
        int width = -1;
        glGetTextureLevelParameteriv(textures.level.videoFirst, 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_EQ(width, 128);
        glGetTextureLevelParameteriv(textures.level.platformBlueFirst, 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_EQ(width, 0);
    }
    EXPECT_EQ(lines[1], lines[0]);
    EXPECT_EQ(std::count(lines[1].begin(), lines[1].end(), '\n'), 6 + 60 + 60 + 47 + 47 + 110);
    EXPECT_EQ(lines[1].find("video/video"), std::string::npos);
    EXPECT_EQ(lines[1].rfind("Texture failed to load at path: " + assets.path + "/textures/platforms_magenta.png\n", 0), 0u);
}
