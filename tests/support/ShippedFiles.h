#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "sim/replay/ReplayFile.h"
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

// Shipped level n's proof run (empty, with a failure, when it does not load).
inline Replay proofRun(int n)
{
    ReplayParse parsed = loadReplay(proofRunOf(n));
    EXPECT_TRUE(parsed.replay) << parsed.error;
    return parsed.replay.value_or(Replay{});
}

// The frames with a pause held from frame `at` for `length` frames: P pressed
// with the previous frame's keys held, the wait, then frame `at` with P again.
inline std::vector<ReplayFrame> withPause(const std::vector<ReplayFrame>& frames, size_t at, int length)
{
    std::vector<ReplayFrame> paused(frames.begin(), frames.begin() + static_cast<long>(at));
    const KeyMask held = at > 0 ? frames[at - 1].keys : 0;
    paused.push_back({1.0f / 60.0f, static_cast<KeyMask>(held | keyBit(Key::P))});
    for (int i = 0; i < length; ++i) paused.push_back({1.0f / 60.0f, held});
    paused.push_back({frames[at].deltaTime, static_cast<KeyMask>(frames[at].keys | keyBit(Key::P))});
    paused.insert(paused.end(), frames.begin() + static_cast<long>(at) + 1, frames.end());
    return paused;
}
