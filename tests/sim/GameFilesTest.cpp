#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <tuple>

#include "core/IniFile.h"
#include "sim/settings/GameFiles.h"
#include "sim/settings/StartupConfig.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

TEST(GameFiles, TheSearchTakesTheNamedThenTheCurrentThenTheInstalledThenTheSourceTreesSettings)
{
    const std::string here = "assets/settings/settings.ini";
    const std::string opt = "/opt/vr/share/vaultrise/assets/settings/settings.ini";
    const std::string usr = "/usr/share/vaultrise/assets/settings/settings.ini";
    const std::string src = "/src/vr/assets/settings/settings.ini";
    const std::string cache = "/src/vr/build/CMakeCache.txt";
    struct Row {
        const char* what;
        std::optional<std::string> named;
        const char* executable;
        std::set<std::string> files;
        std::string settings, dataFolder;
        bool announce;
    };
    const Row rows[] = {
        {"named wins over everything", "my.ini", "/opt/vr/bin/vaultrise", {here, opt}, "my.ini", "", false},
        {"named, even when missing", "gone.ini", "", {}, "gone.ini", "", false},
        {"current folder", {}, "/opt/vr/bin/vaultrise", {here, opt}, here, "", false},
        {"installed next to bin", {}, "/opt/vr/bin/vaultrise", {opt, src, cache}, opt, "/opt/vr/share/vaultrise", true},
        {"installed next to games", {}, "/usr/games/vaultrise", {usr}, usr, "/usr/share/vaultrise", true},
        {"build folder", {}, "/src/vr/build/vaultrise", {src, cache}, src, "/src/vr", true},
    };
    for (const Row& row : rows) {
        const GameFilesSearch search{row.named, row.executable, "/src/vr"};
        const auto found = findGameFiles(search, [&](const fs::path& p) { return row.files.count(p.string()) > 0; });
        ASSERT_TRUE(std::holds_alternative<GameFiles>(found)) << row.what << ": " << std::get<std::string>(found);
        const GameFiles& files = std::get<GameFiles>(found);
        EXPECT_EQ(std::tuple(files.settingsPath, files.dataFolder, files.announce),
                  std::tuple(row.settings, row.dataFolder, row.announce))
            << row.what;
    }
}

TEST(GameFiles, WithNoDataAnywhereOneLineNamesEveryPlaceLooked)
{
    const struct {
        const char* executable;
        std::set<std::string> files;
        std::vector<std::string> named, notNamed;
    } rows[] = {
        // A source tree without its settings, beside a build folder.
        {"/src/vr/build/vaultrise", {"/src/vr/build/CMakeCache.txt"},
         {"the current folder", "/src/vr/share/vaultrise", "/src/vr;"}, {}},
        // Not in a build folder: the source tree is not a place to look.
        {"/opt/vr/bin/vaultrise", {"/src/vr/assets/settings/settings.ini"},
         {"the current folder", "/opt/vr/share/vaultrise"}, {"/src/vr"}},
        {"", {}, {"the current folder"}, {"share"}},
    };
    for (const auto& row : rows) {
        const auto found = findGameFiles({std::nullopt, row.executable, "/src/vr"},
                                         [&](const fs::path& p) { return row.files.count(p.string()) > 0; });
        ASSERT_TRUE(std::holds_alternative<std::string>(found)) << row.executable;
        const std::string& line = std::get<std::string>(found);
        EXPECT_EQ(line.find('\n'), std::string::npos);
        EXPECT_NE(line.find("assets/settings/settings.ini"), std::string::npos) << line;
        for (const auto& place : row.named) EXPECT_NE(line.find(place), std::string::npos) << place << " in " << line;
        for (const auto& place : row.notNamed) EXPECT_EQ(line.find(place), std::string::npos) << place << " in " << line;
    }
}

TEST(GameFiles, ARelativeAssetPathIsReadFromTheDataFolderAndAnAbsoluteOneAsItIs)
{
    const struct { const char* assetPath; const char* dataFolder; std::string expected; } rows[] = {
        {"assets", "", "assets"},
        {"../assets", "", "../assets"},
        {"assets", "/usr/share/vaultrise", "/usr/share/vaultrise/assets"},
        {"/srv/art", "/usr/share/vaultrise", "/srv/art"},
    };
    for (const auto& row : rows) {
        LaunchOptions options;
        options.dataFolder = row.dataFolder;
        std::ostringstream log;
        const StartupConfig config =
            StartupConfig::read(IniFile::fromText(std::string("[general]\nassetPath = ") + row.assetPath), log, options);
        EXPECT_EQ(config.assetPath, row.expected) << row.assetPath << " in " << row.dataFolder;
        EXPECT_EQ(config.shippedLevelPath(), row.expected + "/settings/level0.ini");
    }
}

TEST(PlayerLevels, APlayersLevelIsFoundWhenNoShippedLevelHasItsNameAndAShippedOneWinsAClash)
{
    const fs::path root = freshFolder("player_levels");
    fs::create_directories(root / "assets/settings");
    fs::create_directories(root / "own");
    for (const char* shipped : {"level0.ini", "levelboth.ini"}) std::ofstream(root / "assets/settings" / shipped) << "";
    for (const char* own : {"levelmine.ini", "levelboth.ini"}) std::ofstream(root / "own" / own) << "";

    const std::string shipped = (root / "assets").string(), own = (root / "own").string();
    const struct { const char* level; std::string folder; std::string path; std::optional<std::string> hidden; } rows[] = {
        {"0", own, shipped + "/settings/level0.ini", std::nullopt},
        {"mine", own, own + "/levelmine.ini", std::nullopt},
        {"both", own, shipped + "/settings/levelboth.ini", own + "/levelboth.ini"},
        // Neither: the shipped path, whose absence the level reader reports.
        {"none", own, shipped + "/settings/levelnone.ini", std::nullopt},
        // No player folder (no XDG_DATA_HOME or HOME): shipped levels only.
        {"mine", "", shipped + "/settings/levelmine.ini", std::nullopt},
    };
    for (const auto& row : rows) {
        LaunchOptions options;
        options.level = row.level;
        options.playerLevelFolder = row.folder;
        std::ostringstream log;
        const StartupConfig config =
            StartupConfig::read(IniFile::fromText("[general]\nassetPath = " + shipped), log, options);
        EXPECT_EQ(config.levelFilePath(), row.path) << row.level;
        EXPECT_EQ(config.hiddenPlayerLevel(), row.hidden) << row.level;
    }
    fs::remove_all(root);
}
