#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "core/FiniteValue.h"
#include "core/IniFile.h"
#include "sim/settings/StartupConfig.h"
#include "support/ShippedFiles.h"

TEST(Settings, WindowSizesBrightnessAndBlurParseWithFallbacksAndUnusableOnesGetOneLineEach)
{
    // Integers detect their base and fall back without leading digits; the blur defaults to the full bloom.
    const struct { const char* text; uint32_t width, height; float brightness; int blurPasses; float blurScale;
                   const char* lines; } rows[] = {
        {"width = 0x400", 1024, 1080, 200, 10, 1.0f, ""},
        {"width = 010", 8, 1080, 200, 10, 1.0f, ""},
        {"width = abc", 1920, 1080, 200, 10, 1.0f, ""},
        {"width = 720px", 720, 1080, 200, 10, 1.0f, ""},
        {"width = 0\nheight = 16385", 1920, 1080, 200, 10, 1.0f,
         "Settings: window width 0 is not a usable size, using 1920\n"
         "Settings: window height 16385 is not a usable size, using 1080\n"},
        {"width = 1e30", 1920, 1080, 200, 10, 1.0f, "Settings: window width 1e+30 is not a usable size, using 1920\n"},
        {"width = 1280.0\nheight = 16384", 1280, 16384, 200, 10, 1.0f, ""},
        {"width = 16384\nheight = 16384", 1920, 1080, 200, 10, 1.0f,
         "Settings: window 16384x16384 is more than 8192x8192 pixels, using 1920x1080\n"},
        {"brightness = 1e39", 1920, 1080, 200, 10, 1.0f,
         "Settings: window brightness is not a finite number, using 200\n"},
        {"brightness = -2e6", 1920, 1080, 200, 10, 1.0f,
         "Settings: window brightness -2e+06 is outside -1000000 to 1000000, using 200\n"},
        {"brightness = -5", 1920, 1080, -5, 10, 1.0f, ""},
        {"blurPasses = 0\nblurScale = 0.25", 1920, 1080, 200, 0, 0.25f, ""},
        {"blurPasses = -2\nblurScale = 1.5", 1920, 1080, 200, 10, 1.0f,
         "Settings: window blurPasses -2 is not a usable count, using 10\n"
         "Settings: window blurScale 1.5 is not a usable scale, using 1\n"},
    };
    for (const auto& row : rows) {
        std::ostringstream log;
        const StartupConfig c = StartupConfig::read(IniFile::fromText(std::string("[window]\n") + row.text), log);
        EXPECT_EQ(std::tuple(c.renderWidth, c.renderHeight, c.brightness, c.blurPasses, c.blurScale, log.str()),
                  std::tuple(row.width, row.height, row.brightness, row.blurPasses, row.blurScale,
                             std::string(row.lines)))
            << row.text;
        EXPECT_EQ(c.aspectRatio, float(row.width) / float(row.height)) << row.text;
    }
    std::ostringstream log;
    const StartupConfig c = StartupConfig::read(IniFile::fromText("[window]\nwidth = 1280\nheight = 720\n"), log);
    EXPECT_EQ(std::pair(c.initialCursorX, c.initialCursorY), std::pair(640.0f, 360.0f));
}

// Each limit's refusal through a real reader is in LevelTest.
TEST(FiniteValue, UnusableNumbersFallBackWithOneLineNamingTheReaderAndWhy)
{
    const char* refused = "Reader: s k is not a finite number, using 0.5\n";
    const struct { const char* text; FloatLimits limits; float value; const char* line; } rows[] = {
        {"k = 2.5", kAnyFinite, 2.5f, ""}, {"", kWorldSize, 0.5f, ""}, {"k = abc", kAnyFinite, 0.5f, ""},
        {"k = -1e-3x", kAnyFinite, -1e-3f, ""}, {"k = nan", kAnyFinite, 0.5f, refused},
        {"k = 1e30", kAnyFinite, 1e30f, ""}, {"k = -1000000", kWorldCoordinate, -1e6f, ""},
        {"k = -10", kWorldSize, 0.5f, "Reader: s k -10 is not a positive size, using 0.5\n"},
        {"k = -9.81", kGravityLimits, -9.81f, ""},
    };
    for (const auto& row : rows) {
        std::ostringstream log;
        const IniFile file = IniFile::fromText(std::string("[s]\n") + row.text + "\n");
        EXPECT_EQ(readFiniteFloat(file, "s", "k", 0.5f, log, "Reader", row.limits), row.value) << row.text;
        EXPECT_EQ(log.str(), row.line) << row.text;
    }
}

TEST(Settings, GhostChoiceDefaultsToOffTheShippedSettingsRaceTheBestRunAndAnUnknownWordGetsOneLine)
{
    std::ostringstream log;
    EXPECT_EQ(StartupConfig::read(IniFile::fromText("[general]\n"), log).ghost, GhostChoice::Off);
    EXPECT_EQ(StartupConfig::read(IniFile(kRoot + "/assets/settings/settings.ini", log), log).ghost, GhostChoice::Best);
    EXPECT_EQ(StartupConfig::read(IniFile::fromText("[general]\nghost = author\n"), log).ghost, GhostChoice::Author);
    EXPECT_EQ(StartupConfig::read(IniFile::fromText("[general]\nghost = Best\n"), log).ghost, GhostChoice::Off);
    EXPECT_EQ(log.str(), "Settings: general ghost Best is not off, best or author, using off\n");
}

TEST(LaunchOptions, CommandLineValuesReplaceTheFileBeforeAnythingIsDerived)
{
    const IniFile settings =
        IniFile::fromText("[general]\nlevel = 2\n[window]\nwidth = 0\nheight = 720\nfullscreen = true\n");
    std::ostringstream log;
    const StartupConfig plain = StartupConfig::read(settings, log);
    EXPECT_EQ(std::tuple(plain.level, plain.fullscreen), std::tuple("2", true));
    log.str("");
    LaunchOptions options;
    options.level = "4", options.fullscreen = false, options.width = 640, options.height = 360;
    const StartupConfig c = StartupConfig::read(settings, log, options);
    EXPECT_EQ(c.levelFilePath(), "../assets/settings/level4.ini");
    EXPECT_EQ(std::tuple(c.fullscreen, c.renderWidth, c.renderHeight, c.initialCursorX), std::tuple(false, 640u, 360u, 320.0f));
    EXPECT_FLOAT_EQ(c.aspectRatio, 640.0f / 360.0f);
    EXPECT_EQ(log.str(), "") << "the file's unusable width is not reported when the command line replaces it";
}
