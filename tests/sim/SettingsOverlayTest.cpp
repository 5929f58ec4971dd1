#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <tuple>

#include "core/IniFile.h"
#include "sim/settings/SettingsOverlay.h"
#include "sim/settings/StartupConfig.h"
#include "support/TempFiles.h"

namespace {

const char* kSettings =
    "[general]\nassetPath = assets\nlevel = 2\nloadTime = 120\nretry = false\n"
    "[window]\nwidth = 1280\nheight = 720\nblurPasses = 10\n"
    "[debug]\ndebug = false\n[elements]\nplat_regularX = 8\n";

}  // namespace

TEST(SettingsOverlay, ThePlayersKeysReplaceTheSettingsButNeverWhatARunSimulatesOrWhereItsFilesAre)
{
    const std::string overlay = writeTempFile("overlay",
                                              "[WINDOW]\nWidth = 640\nblurPasses = 2\n[general]\nretry = yes\n"
                                              "assetPath = /elsewhere\nlevel = 4\nloadTime = 0\n"
                                              "[debug]\ndebug = true\n[elements]\nplat_regularX = 99\n"
                                              "[audio]\nvolume = 0.5\n");
    IniFile settings = IniFile::fromText(kSettings);
    std::ostringstream log;
    EXPECT_EQ(applySettingsOverlay(settings, overlay, log), 4);
    EXPECT_EQ(log.str(), "");
    const StartupConfig c = StartupConfig::read(settings, log);
    EXPECT_EQ(std::tuple(c.renderWidth, c.renderHeight, c.blurPasses, c.retry), std::tuple(640u, 720u, 2, true));
    EXPECT_EQ(std::tuple(c.assetPath, c.level, c.loadTime, c.debug), std::tuple("assets", "2", 120, false));
    EXPECT_EQ(settings.getFloat("elements", "plat_regularX", 0), 8.0f);
    EXPECT_EQ(settings.getFloat("audio", "volume", 1.0f), 0.5f);
    EXPECT_TRUE(settings.has("Audio", "VOLUME"));
    std::filesystem::remove(overlay);
}

TEST(SettingsOverlay, AMissingOverlayIsSilentAndADamagedOneGetsOneLineAndChangesNothing)
{
    const struct { const char* what; std::optional<std::string> text; const char* line; } rows[] = {
        {"missing", std::nullopt, ""},
        {"not INI", std::string("[window]\nwidth = 640\nthis is no key\n"), "is damaged (line 3), ignored\n"},
        {"unclosed section", std::string("[window\nwidth = 640\n"), "is damaged (line 1), ignored\n"},
        {"a NUL inside", std::string("[window]\nwidth = 640\n") + '\0' + "\n", "is damaged, ignored\n"},
    };
    for (const auto& row : rows) {
        const std::string path = row.text ? writeTempFile("overlay", *row.text)
                                          : (freshFolder("overlay_missing") / "settings.ini").string();
        IniFile settings = IniFile::fromText(kSettings);
        std::ostringstream log;
        EXPECT_EQ(applySettingsOverlay(settings, path, log), 0) << row.what;
        EXPECT_EQ(settings.getInt("window", "width", 0), 1280) << row.what;
        const std::string expected = *row.line ? "Settings overlay: " + path + " " + row.line : "";
        EXPECT_EQ(log.str(), expected) << row.what;
        std::filesystem::remove(path);
    }
}
