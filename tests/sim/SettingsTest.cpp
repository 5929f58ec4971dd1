#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "core/IniFile.h"
#include "sim/settings/StartupConfig.h"
#include "support/TempFiles.h"

namespace {

StartupConfig readConfig(const std::string& text, std::string* log = nullptr)
{
    IniFile settings(writeTempFile("settings", text));
    std::ostringstream out;
    StartupConfig config = StartupConfig::read(settings, out);
    if (log) *log = out.str();
    return config;
}

}  // namespace

TEST(Settings, NoFileGivesEveryDefault)
{
    IniFile missing("/nonexistent/vaultrise/settings.ini");
    std::ostringstream log;
    const StartupConfig c = StartupConfig::read(missing, log);
    EXPECT_FALSE(missing.loaded());
    EXPECT_EQ(c.title, "Vaultrise [ini load error]");
    EXPECT_EQ(c.renderWidth, 1920u);
    EXPECT_EQ(c.renderHeight, 1080u);
    EXPECT_EQ(c.assetPath, "../assets");
    EXPECT_EQ(c.levelFilePath(), "../assets/settings/level0.ini");
    EXPECT_FALSE(c.debug);
    EXPECT_TRUE(c.useGameCamera);
    EXPECT_FLOAT_EQ(c.brightness, 200.0f);
    EXPECT_EQ(c.loadTime, 120);
    EXPECT_EQ(c.refreshRate, 60);
    EXPECT_TRUE(c.animations);
    EXPECT_FALSE(c.fullscreen);
    EXPECT_EQ(log.str(), "");
}

TEST(Settings, NumbersBooleansAndLevelNamesAreParsedWithFallbacks)
{
    // Integers detect their base and fall back without digits.
    EXPECT_EQ(readConfig("[window]\nwidth = 0x400\n").renderWidth, 1024u);
    EXPECT_EQ(readConfig("[window]\nwidth = 010\n").renderWidth, 8u);
    EXPECT_EQ(readConfig("[window]\nwidth = abc\n").renderWidth, 1920u);
    EXPECT_EQ(readConfig("[window]\nheight = 720px\n").renderHeight, 720u);
    // Booleans accept the usual words only.
    EXPECT_TRUE(readConfig("[window]\nfullscreen = Yes\n").fullscreen);
    EXPECT_TRUE(readConfig("[window]\nfullscreen = ON\n").fullscreen);
    EXPECT_FALSE(readConfig("[window]\nfullscreen = 2\n").fullscreen);
    EXPECT_TRUE(readConfig("[debug]\nuseGameCamera = 2\n").useGameCamera);
    EXPECT_FALSE(readConfig("[debug]\nuseGameCamera = off\n").useGameCamera);
    // Floats are single precision with a fallback.
    EXPECT_FLOAT_EQ(readConfig("[window]\nbrightness = 12.5\n").brightness, 12.5f);
    EXPECT_FLOAT_EQ(readConfig("[window]\nbrightness = bright\n").brightness, 200.0f);
    EXPECT_EQ(IniFile(writeTempFile("float", "[a]\nx = 0.1\n")).getFloat("a", "x", 0.0f), 0.1f);
    // The level setting is inserted as text.
    EXPECT_EQ(readConfig("[general]\nlevel = a\nassetPath = assets\n").levelFilePath(), "assets/settings/levela.ini");
    EXPECT_EQ(readConfig("[general]\nlevel = 12\n").levelFilePath(), "../assets/settings/level12.ini");
    EXPECT_EQ(readConfig("[general]\nlevel = 007\n").levelFilePath(), "../assets/settings/level007.ini");
}

TEST(Settings, UnusableWindowSizesFallBackWithOneLineEach)
{
    std::string log;
    const StartupConfig c = readConfig("[window]\nwidth = 0\nheight = -5\n", &log);
    EXPECT_EQ(c.renderWidth, 1920u);
    EXPECT_EQ(c.renderHeight, 1080u);
    EXPECT_NE(log.find("width 0"), std::string::npos);
    EXPECT_NE(log.find("height -5"), std::string::npos);
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2);
    EXPECT_TRUE(std::isfinite(c.aspectRatio));
}

TEST(Settings, DerivedStartValuesAndLevelLabel)
{
    const StartupConfig c = readConfig("[window]\nwidth = 1280\nheight = 720\nbrightness = 3\n");
    EXPECT_FLOAT_EQ(c.aspectRatio, 1280.0f / 720.0f);
    EXPECT_FLOAT_EQ(c.initialCursorX, 640.0f);
    EXPECT_FLOAT_EQ(c.initialCursorY, 360.0f);
    EXPECT_FLOAT_EQ(c.fieldOfView, 45.0f * 0.017453292f);
    EXPECT_EQ(c.lightColour(), glm::vec3(3.0f));
}
