#pragma once
#include <string>
#include <vector>

// Small levels written out in full (the level checker passes them), played
// with the shipped settings' catalogue: the start on the floor at (20, 1.5, 0).
struct CraftedBox {
    const char* type;
    float x, y, z;
};

inline std::string craftedLevelText(const std::vector<CraftedBox>& platforms, const std::vector<CraftedBox>& walls,
                                     float goalX, float goalY, float goalZ, float voidSpeed = 1.0f)
{
    std::string text =
        "[general]\nname = Solver test\n[world]\ndimensionX = 100\ndimensionY = 100\ndimensionZ = 40\n"
        "voidSpeed = " + std::to_string(voidSpeed) +
        "\ncharStartX = 20\ncharStartY = 1.5\ncharStartZ = 0\n[physics]\ngravity = 50\n";
    const auto section = [&](const char* name, const char* prefix, const std::vector<CraftedBox>& boxes) {
        text += std::string("[") + name + "]\ntotal = " + std::to_string(boxes.size()) + "\n";
        for (size_t i = 0; i < boxes.size(); ++i) {
            const std::string key = prefix + std::to_string(i);
            text += key + "x = " + std::to_string(boxes[i].x) + "\n" + key + "y = " + std::to_string(boxes[i].y) +
                    "\n" + key + "z = " + std::to_string(boxes[i].z) + "\n" + key + "type = " + boxes[i].type + "\n";
        }
    };
    section("platforms", "platform", platforms);
    section("walls", "wall", walls);
    text += "[goal]\ngoalX = " + std::to_string(goalX) + "\ngoalY = " + std::to_string(goalY) +
            "\ngoalZ = " + std::to_string(goalZ) + "\n";
    return text;
}

// A wall far from the route whose top (20) puts the power-up within the
// checker's reach, as every level must.
inline const CraftedBox kPowerUpReach{"regular", -40, 10, 0};

// One single jump from the floor onto the goal's platform (top 5).
inline std::string oneJumpLevel() { return craftedLevelText({{"regular", 4, 4.5f, 0}}, {kPowerUpReach}, 4, 7.6f, 0); }

// The goal's platform tops out at 17, above a single jump's peak (12.1): only
// the double jump gets there.
inline std::string doubleJumpLevel()
{
    return craftedLevelText({{"regular", 4, 16.5f, 0}}, {kPowerUpReach}, 4, 19.6f, 0);
}

// Two ways up, mirror images of each other: over (-10, 31, 5), where the
// power-up hangs, or over (10, 31, 5). The void rises so fast that only a run
// that takes the power-up's 7 units reaches the goal; `powerUpOnRoute` false
// moves the left step away from under the power-up.
inline std::string powerUpVoidLevel(float voidSpeed, bool powerUpOnRoute = true)
{
    const float left = powerUpOnRoute ? -10.0f : -16.0f;
    return craftedLevelText({{"regular", 0, 15.5f, 5}, {"regular", left, 30.5f, 5}, {"regular", 10, 30.5f, 5},
                             {"regular", 0, 45.5f, 5}},
                            {}, 0, 48.6f, 5, voidSpeed);
}
