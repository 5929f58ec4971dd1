// The level checker names each problem by its key on a small crafted level.
// Every shipped level passes it through the real command (the check_level*
// tests in tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "core/IniFile.h"
#include "sim/proof/LevelCheck.h"

namespace {

// A fair little level: the start on the floor, one platform under the power-up's
// reach, one wall behind, the goal in a single jump's reach. `changes` replaces
// values by key; an empty value leaves the key out.
std::string craftedLevel(const std::map<std::string, std::string>& changes)
{
    std::istringstream fair(
        "[world]\ndimensionX = 120\ndimensionY = 120\ndimensionZ = 120\nvoidSpeed = 1\ncharStartX = 0\n"
        "charStartY = 1.5\ncharStartZ = 0\n[physics]\ngravity = 50\n[platforms]\ntotal = 1\nplatform0x = -10\n"
        "platform0y = 10\nplatform0z = 5\nplatform0type = regular\n[walls]\ntotal = 1\nwall0x = 0\nwall0y = 10\n"
        "wall0z = -30\nwall0type = regular\n[goal]\ngoalX = 20\ngoalY = 20\ngoalZ = 0\n");
    std::string text;
    for (std::string line; std::getline(fair, line);) {
        const std::string key = line.substr(0, line.find(" = "));
        const auto change = changes.find(key);
        if (change == changes.end()) text += line + "\n";
        else if (!change->second.empty()) text += key + " = " + change->second + "\n";
    }
    return text;
}

const std::string kCatalogue =
    "[elements]\nplat_regularX = 8\nplat_regularY = 1\nplat_regularZ = 8\n"
    "plat_thinX = 8\nplat_thinY = 0.5\nplat_thinZ = 8\nplat_flatX = 8\nplat_flatY = 0\n"
    "plat_flatZ = 8\nwall_regularX = 1\nwall_regularY = 20\nwall_regularZ = 30\ngoalX = 6\n";

}  // namespace

TEST(LevelCheck, NamesEachProblemByItsKey)
{
    const IniFile settings = IniFile::fromText(kCatalogue);
    EXPECT_EQ(findLevelProblems(IniFile::fromText(craftedLevel({})), settings), std::vector<std::string>{});

    const std::pair<std::map<std::string, std::string>, std::string> cases[] = {
        {{{"platform0x", "70"}}, "platform0x: the box reaches x = 74, outside the world (x within +-60)"},
        {{{"wall0z", "-50"}}, "wall0z: the box reaches z = -65, outside the world (z within +-60)"},
        {{{"platform0y", "140"}}, "platform0y: the box spans y 139.5 .. 140.5, outside the world (y within 0 .. 140)"},
        {{{"dimensionX", "140"}}, "dimensionX: the floor reaches x = +-70, outside the world (+-60)"},
        {{{"platform0z", "30"}}, "platform0z: z = 30 lies outside the camera band (-15 .. 18)"},
        {{{"charStartZ", "-20"}}, "charStartZ: z = -20 lies outside the camera band (-15 .. 18)"},
        {{{"platform0type", "thin"}},
         "platform0type: 'thin' is 0.5 thick; the jump's ground ray needs platforms at least 1 thick"},
        {{{"platform0type", "flat"}},
         "platform0type: type 'flat' has plat_flatY = 0; sizes must be positive finite numbers"},
        {{{"platform0type", "nosuch"}},
         "platform0type: unknown platform type 'nosuch': [elements] lacks plat_nosuchX, "
         "plat_nosuchY or plat_nosuchZ (the game would make a 1 x 1 x 1 box)"},
        {{{"wall0type", "tower"}},
         "wall0type: unknown wall type 'tower': [elements] lacks wall_towerX, wall_towerY or "
         "wall_towerZ (the game would make a 1 x 1 x 1 box)"},
        {{{"platform0x", "nan"}}, "platform0x: 'nan' is not a finite number"},
        {{{"platform0y", ""}}, "platform0y: missing; write every key out (a missing key silently takes its default)"},
        {{{"gravity", "0"}}, "gravity: 0 must be above 0"},
        {{{"charStartX", "-10"}, {"charStartY", "10"}, {"charStartZ", "5"}},
         "charStartY: the character starts inside platform0"},
        {{{"charStartX", "59.5"}, {"dimensionX", "100"}},
         "charStartX: nothing under the start: the character falls into the void"},
        {{{"platform0y", "3"}, {"wall0y", "-5"}},
         "power-up: at (-10, 32, 5): no chain of double jumps from the start gets there "
         "(the double jump rises 22.1 at gravity 50)"},
        {{{"goalY", "45"}, {"gravity", "30"}},
         "goalY: the goal at (20, 45, 0): no chain of double jumps from the start "
         "gets there (the double jump rises 13.26 at gravity 30)"},
    };
    for (const auto& [changes, problem] : cases) {
        const auto problems = findLevelProblems(IniFile::fromText(craftedLevel(changes)), settings);
        EXPECT_NE(std::find(problems.begin(), problems.end(), problem), problems.end())
            << problem << "\nnot among:\n"
            << testing::PrintToString(problems);
    }
}
