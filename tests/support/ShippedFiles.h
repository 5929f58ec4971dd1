#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "sim/run/KeyScript.h"

// The repository's own settings and levels, and the key script that wins each level.
inline const std::string kRoot = VAULTRISE_SOURCE_DIR;
inline const std::string kSettings = kRoot + "/assets/settings/settings.ini";
inline std::string shippedLevel(int n) { return kRoot + "/assets/settings/level" + std::to_string(n) + ".ini"; }
inline std::string proofRunOf(int n) { return kRoot + "/assets/settings/level" + std::to_string(n) + ".replay"; }

// Every N with an assets/settings/level<N>.ini, in numeric order.
inline std::vector<int> shippedLevelNumbers()
{
    std::vector<int> numbers;
    std::smatch match;
    for (const auto& entry : std::filesystem::directory_iterator(kRoot + "/assets/settings"))
        if (const std::string file = entry.path().filename().string();
            std::regex_match(file, match, std::regex("level(0|[1-9][0-9]*)\\.ini")))
            numbers.push_back(std::stoi(match[1]));
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

inline KeyScript winScript(int n)
{
    const KeyScriptResult loaded = loadKeyScript(kRoot + "/tests/data/levels/level" + std::to_string(n) + ".keys");
    EXPECT_TRUE(loaded.script) << loaded.error;
    return loaded.script.value_or(KeyScript{});
}
