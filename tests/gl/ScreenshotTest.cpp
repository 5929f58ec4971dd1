// F12's picture: the frame only reads the pixels; the encoding (here one that
// blocks until the test lets it go) runs while frames go on.
#include <epoxy/gl.h>

#include <atomic>
#include <future>
#include <sstream>

#include <stb/stb_image.h>

#include "platform/Screenshot.h"
#include "sim/frame/GameSession.h"
#include "sim/run/HeadlessRun.h"
#include "support/GlTest.h"

using ScreenshotTest = GlTest;

TEST_F(ScreenshotTest, EncodingRunsOffTheFrameThreadAndTheFileAppearsOnceDone)
{
    std::promise<void> release;
    const std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> encoding{false};
    ScreenshotTaker taker([&](const Picture& picture) {
        encoding = true;
        released.wait();
        return encodePng(picture);
    });
    // Red below, green above (GL's rows start at the bottom).
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 8, 32, 8);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);

    ScratchDir dir;
    CreatedFile file = createScreenshotFile(dir.path, 0);
    ASSERT_TRUE(file.valid());
    const std::string path = file.path().string();
    std::ostringstream log;
    taker.take(std::move(file), 32, 16, log);

    // The frame loop goes on, frame after frame on a scripted clock, while the encoder is held.
    const std::string settings = std::string(VAULTRISE_SOURCE_DIR) + "/assets/settings/";
    HeadlessRun run(settings + "settings.ini", settings + "level0.ini", 0);
    for (int i = 0; i < 120; ++i) run.frame({});
    EXPECT_EQ(run.frames(), 120);
    taker.printFinished(log);
    EXPECT_EQ(log.str(), "") << "nothing written yet";
    EXPECT_EQ(std::filesystem::file_size(path), 0u);

    release.set_value();
    taker.waitUntilWritten();
    EXPECT_TRUE(encoding);
    taker.printFinished(log);
    EXPECT_EQ(log.str(), "Screenshot saved: " + path + "\n");
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load(path.c_str(), &width, &height, &channels, 3);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 16);
    EXPECT_EQ(pixels[1], 255) << "the top row is the green one";
    EXPECT_EQ(pixels[(15 * 32) * 3], 255) << "the bottom row is the red one";
    stbi_image_free(pixels);
}
