#include <gtest/gtest.h>

#include <sstream>

#include "core/IniFile.h"
#include "sim/settings/StartupConfig.h"
#include "support/TempFiles.h"

TEST(LaunchOptions, CommandLineValuesReplaceTheFileBeforeAnythingIsDerived)
{
    IniFile settings = IniFile::fromText(std::string("[general]\nlevel = 2\n[window]\nwidth = 0\nheight = 720\n"
                                               "fullscreen = true\n"));
    std::ostringstream log;
    const StartupConfig plain = StartupConfig::read(settings, log);
    EXPECT_EQ(plain.level, "2");
    EXPECT_TRUE(plain.fullscreen);

    LaunchOptions options;
    options.level = "4";
    options.fullscreen = false;
    options.width = 640;
    options.height = 360;
    log.str("");
    const StartupConfig c = StartupConfig::read(settings, log, options);
    EXPECT_EQ(c.levelFilePath(), "../assets/settings/level4.ini");
    EXPECT_FALSE(c.fullscreen);
    EXPECT_EQ(c.renderWidth, 640u);
    EXPECT_EQ(c.renderHeight, 360u);
    EXPECT_FLOAT_EQ(c.aspectRatio, 640.0f / 360.0f);
    EXPECT_FLOAT_EQ(c.initialCursorX, 320.0f);
    EXPECT_EQ(log.str(), "") << "the file's unusable width is not reported when the command line replaces it";
}
