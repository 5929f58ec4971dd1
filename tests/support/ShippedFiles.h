#pragma once
#include <gtest/gtest.h>

#include <string>

#include "sim/run/KeyScript.h"

// The repository's own settings and levels, and the key script that wins each level.
inline const std::string kRoot = VAULTRISE_SOURCE_DIR;
inline const std::string kSettings = kRoot + "/assets/settings/settings.ini";
inline std::string shippedLevel(int n) { return kRoot + "/assets/settings/level" + std::to_string(n) + ".ini"; }

inline KeyScript winScript(int n)
{
    const KeyScriptResult loaded = loadKeyScript(kRoot + "/tests/data/levels/level" + std::to_string(n) + ".keys");
    EXPECT_TRUE(loaded.script) << loaded.error;
    return loaded.script.value_or(KeyScript{});
}
