#include <gtest/gtest.h>

#include <sstream>

#include "core/FiniteValue.h"
#include "core/IniFile.h"
#include "sim/settings/StartupConfig.h"
#include "support/TempFiles.h"

TEST(Settings, WindowSizesParseWithFallbacksAndUnusableOnesGetOneLineEach)
{
    std::ostringstream log;
    const auto read = [&](const std::string& s) { return StartupConfig::read(IniFile::fromText(s), log); };
    // Integers detect their base and fall back without leading digits.
    for (const auto& [text, width] : {std::pair{"0x400", 1024u}, {"010", 8u}, {"abc", 1920u}, {"720px", 720u}})
        EXPECT_EQ(read(std::string("[window]\nwidth = ") + text).renderWidth, width) << text;
    StartupConfig c = read("[window]\nwidth = 1280\nheight = 720\n");
    EXPECT_EQ(glm::vec3(c.initialCursorX, c.initialCursorY, c.aspectRatio), glm::vec3(640, 360, 1280.0f / 720.0f));
    EXPECT_EQ(log.str(), "");
    c = read("[window]\nwidth = 0\nheight = 16385\n");
    EXPECT_EQ(log.str(), "Settings: window width 0 is not a usable size, using 1920\n"
                         "Settings: window height 16385 is not a usable size, using 1080\n");
    EXPECT_EQ(c.aspectRatio, 1920.0f / 1080.0f);
}

TEST(FiniteValue, NonFiniteNumbersFallBackWithOneLineNamingTheReader)
{
    const char* refused = "Reader: s k is not a finite number, using 0.5\n";
    const struct { const char* text; float value; const char* line; } rows[] = {
        {"k = 2.5", 2.5f, ""}, {"", 0.5f, ""}, {"k = abc", 0.5f, ""}, {"k = -1e-3x", -1e-3f, ""},
        {"k = nan", 0.5f, refused}, {"k = -inf", 0.5f, refused}, {"k = 1e999", 0.5f, refused},
    };
    for (const auto& row : rows) {
        std::ostringstream log;
        const IniFile file = IniFile::fromText(std::string("[s]\n") + row.text + "\n");
        EXPECT_EQ(readFiniteFloat(file, "s", "k", 0.5f, log, "Reader"), row.value) << row.text;
        EXPECT_EQ(log.str(), row.line) << row.text;
    }
}
