#include <epoxy/gl.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "sim/frame/GameLoop.h"
#include "sim/view/FrameObjects.h"
#include "sim/frame/GameSession.h"
#include "render/ImageDecodeQueue.h"
#include "render/SceneRenderer.h"
#include "sim/run/ScriptedHost.h"
#include "support/GlTest.h"
#include "support/ReferencePicture.h"

namespace {

// The level file at `levelPath` rendered at 640 x 360 (or the size given) into a 320 x 180 window.
struct RenderedGame {
    explicit RenderedGame(const std::string& levelPath, uint32_t width = 640, uint32_t height = 360)
    {
        config.assetPath = std::string(VAULTRISE_SOURCE_DIR) + "/assets";
        config.renderWidth = width;
        config.renderHeight = height;
        config.aspectRatio = 320.0f / 180.0f;
        config.fieldOfView = 45.0f * 0.017453292f;
        config.loadTime = 0;
        config.animations = false;
        IniFile settings(config.assetPath + "/settings/settings.ini", std::cout);
        IniFile level(levelPath, std::cout);
        glEnable(GL_DEPTH_TEST);
        output = captureStdout([&] {
            renderer = std::make_unique<SceneRenderer>(config, std::cout);
            renderer->loadTextures();
            renderer->loadFrameSequences(config.animations);
            renderer->loadModels();
            session = std::make_unique<GameSession>(config, std::move(settings), std::move(level), std::cout);
            renderer->attach(session->description);
        });
        loop = std::make_unique<GameLoop>(*session, host);
        renderer->setOutputSize(320, 180);
    }

    void frame()
    {
        clock += 1.0f / 60.0f;
        output += captureStdout([&] {
            FrameView& view = loop->runFrame(clock);
            layOutHud(*session, view);
            renderer->render(view);
        });
    }

    GlTestWindow window;
    StartupConfig config;
    ScriptedHost host;
    std::unique_ptr<SceneRenderer> renderer;
    std::unique_ptr<GameSession> session;
    std::unique_ptr<GameLoop> loop;
    std::string output;
    float clock = 0.0f;
};

}  // namespace

// Fixed shots of shipped level 1, rendered at 640 x 360 and scaled into the
// window: where the game camera settles at the start, the goal with its pad,
// flag and the back screen, and the whole climb from afar.
TEST(SceneRenderer, ShotsOfAShippedLevelMatchTheirReferencePictures)
{
    RenderedGame game(std::string(VAULTRISE_SOURCE_DIR) + "/assets/settings/level1.ini");
    ASSERT_TRUE(game.window.ok());
    for (int i = 0; i < 20; ++i) game.frame();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    expectReferencePicture("level1-start");
    const struct { const char* name; glm::vec3 eye; float yaw, pitch; } shots[] = {
        {"level1-goal", {-9.0f, 88.0f, 2.0f}, 180.0f, -12.0f},
        {"level1-overview", {45.0f, 100.0f, 75.0f}, -125.0f, -38.0f},
    };
    for (const auto& shot : shots) {
        game.session->input.useGameCamera = false;
        Camera& camera = game.session->camera;
        camera.position = shot.eye;
        camera.yaw = shot.yaw;
        camera.pitch = shot.pitch;
        camera.updateVectors();
        game.frame();
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        expectReferencePicture(shot.name);
    }
    EXPECT_EQ(game.output, "");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A render size chosen while playing draws as if the game had started with
// it: the bloom targets are made again at that size and the HUD lays out for it.
TEST(SceneRenderer, ARenderSizeChangedWhilePlayingDrawsAsIfTheGameHadStartedWithIt)
{
    const std::string level = std::string(VAULTRISE_SOURCE_DIR) + "/assets/settings/level1.ini";
    const struct { uint32_t startWidth, startHeight, width, height; } rows[] = {
        {640, 360, 640, 360}, {640, 360, 160, 90}, {160, 90, 160, 90}, {160, 90, 640, 360}};
    std::vector<std::vector<unsigned char>> pictures;
    for (const auto& row : rows) {
        RenderedGame game(level, row.startWidth, row.startHeight);
        ASSERT_TRUE(game.window.ok());
        for (int i = 0; i < 20; ++i) {
            if (i == 10) {
                game.renderer->setRenderSize(static_cast<int>(row.width), static_cast<int>(row.height));
                game.session->config.renderWidth = row.width;  // as the menu's options give the session
                game.session->config.renderHeight = row.height;
            }
            game.frame();
        }
        pictures.emplace_back(320 * 180 * 4);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadPixels(0, 0, 320, 180, GL_RGBA, GL_UNSIGNED_BYTE, pictures.back().data());
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    EXPECT_NE(pictures[0], pictures[2]) << "the two sizes draw differently";
    EXPECT_EQ(pictures[1], pictures[2]) << "made smaller";
    EXPECT_EQ(pictures[3], pictures[0]) << "made larger";
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
        SceneRenderer renderer(config, std::cout);
        lines[ahead] = captureStdout([&] {
            ImageDecodeQueue queue(SceneRenderer::startupImagePaths(config), 2, 8);
            renderer.loadTextures(ahead ? &queue : nullptr);
            renderer.loadFrameSequences(true, ahead ? &queue : nullptr);
        });
        const FrameSequences& sequences = renderer.frameSequences();
        int width = -1;
        glGetTextureLevelParameteriv(frameFor(sequences.videoFrames, 0), 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_EQ(width, 128);
        glGetTextureLevelParameteriv(frameFor(sequences.platformBlueFrames, 0), 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_EQ(width, 0);
    }
    EXPECT_EQ(lines[1], lines[0]);
    EXPECT_EQ(std::count(lines[1].begin(), lines[1].end(), '\n'), 6 + 60 + 60 + 47 + 47 + 110);
    EXPECT_EQ(lines[1].find("video/video"), std::string::npos);
    EXPECT_EQ(lines[1].rfind("Texture failed to load at path: " + assets.path + "/textures/platforms_magenta.png\n", 0), 0u);
}

// Releasing the compiler frees its built-in function library; a program
// compiled after the release would build it again and keep it. So the release
// comes once, after the renderer's last compile, and a later compile still
// works.
TEST(SceneRenderer, TheShaderCompilerIsReleasedOnceAfterTheLastCompile)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    StartupConfig config;
    config.assetPath = std::string(VAULTRISE_SOURCE_DIR) + "/assets";
    config.renderWidth = 64;
    config.renderHeight = 36;
    // libepoxy resolves an entry point on its first call, replacing the pointer.
    glReleaseShaderCompiler();
    gameShader("font");
    static std::string calls;  // 'c' per stage compiled, 'r' per release
    static decltype(epoxy_glCompileShader) compile = nullptr;
    static decltype(epoxy_glReleaseShaderCompiler) release = nullptr;
    calls.clear();
    compile = std::exchange(epoxy_glCompileShader, [](GLuint shader) { calls += 'c'; compile(shader); });
    release = std::exchange(epoxy_glReleaseShaderCompiler, [] { calls += 'r'; release(); });
    { SceneRenderer renderer(config, std::cout); }
    epoxy_glCompileShader = compile;
    epoxy_glReleaseShaderCompiler = release;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), 'r'), 1) << calls;
    EXPECT_EQ(calls.find('c'), 0u) << calls;
    EXPECT_EQ(calls.find('r'), calls.size() - 1) << calls;
    std::string log;  // compile and link errors
    gameShader("model", &log);
    EXPECT_EQ(log, "");
}

// The ghost: drawn see-through after the opaque scene, hidden where an opaque
// object stands in front of it, and adding nothing where it is not. Shot close
// up at the start of level 1: the ghost stands beside the player, sunk to its
// waist into the platform they stand on, whose top hides its legs.
TEST(SceneRenderer, TheGhostIsSeeThroughAndHiddenBehindOpaqueBoxes)
{
    RenderedGame game(std::string(VAULTRISE_SOURCE_DIR) + "/assets/settings/level1.ini");
    ASSERT_TRUE(game.window.ok());
    for (int i = 0; i < 20; ++i) game.frame();
    FrameView still;
    game.output += captureStdout([&] { still = game.loop->runFrame(game.clock += 1.0f / 60.0f); });
    const glm::vec3 player = still.characterPosition;
    still.deltaTime = 0.0f;
    still.view = glm::lookAt(player + glm::vec3(0.8f, 1.6f, 5.5f), player, glm::vec3(0.0f, 1.0f, 0.0f));
    const auto shot = [&](bool ghosted) {
        FrameView view = still;
        DrawnObject ghost;
        ghost.kind = ObjectKind::Ghost;
        ghost.transform = glm::translate(glm::mat4(1.0f), player + glm::vec3(-0.25f, -0.7f, 1.6f));
        if (ghosted) view.objects.push_back(ghost);
        game.output += captureStdout([&] { game.renderer->render(view); });
        std::vector<unsigned char> pixels(320 * 180 * 4);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadPixels(0, 0, 320, 180, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    const std::vector<unsigned char> alone = shot(false);
    EXPECT_NE(shot(true), alone) << "the ghost shows";
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    expectReferencePicture("level1-ghost");
    EXPECT_EQ(shot(false), alone) << "and leaves nothing behind";
    EXPECT_EQ(game.output, "");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
