#include "sim/records/Medals.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "sim/proof/ProofRun.h"
#include "sim/replay/ReplayPlayback.h"

namespace {

long long milliseconds(double seconds) { return std::llround(seconds * 1000.0); }

float roundedToMilliseconds(double seconds) { return static_cast<float>(static_cast<double>(milliseconds(seconds)) / 1000.0); }

}  // namespace

MedalTimes medalTimes(float authorSeconds)
{
    const double author = authorSeconds;
    return {roundedToMilliseconds(author), roundedToMilliseconds(author * kGoldFactor),
            roundedToMilliseconds(author * kSilverFactor), roundedToMilliseconds(author * kBronzeFactor)};
}

Medal medalFor(float seconds, std::optional<float> authorSeconds)
{
    if (!authorSeconds || !std::isfinite(seconds)) return Medal::None;
    const MedalTimes times = medalTimes(*authorSeconds);
    const long long run = milliseconds(seconds);
    if (run <= milliseconds(times.author)) return Medal::Author;
    if (run <= milliseconds(times.gold)) return Medal::Gold;
    if (run <= milliseconds(times.silver)) return Medal::Silver;
    if (run <= milliseconds(times.bronze)) return Medal::Bronze;
    return Medal::None;
}

const char* medalName(Medal medal)
{
    switch (medal) {
    case Medal::Author: return "author";
    case Medal::Gold: return "gold";
    case Medal::Silver: return "silver";
    case Medal::Bronze: return "bronze";
    case Medal::None: break;
    }
    return "none";
}

std::optional<float> authorTime(const std::string& levelPath, const std::string& settingsPath)
{
    const std::string proofPath = proofPathFor(levelPath);
    std::error_code error;
    if (!std::filesystem::is_regular_file(proofPath, error)) return std::nullopt;
    const ReplayParse parsed = loadReplay(proofPath);
    if (!parsed.replay || !replayMismatch(parsed.replay->header, levelPath, settingsPath).empty()) return std::nullopt;
    const RunReport report = playReplayHeadless(*parsed.replay, settingsPath, levelPath);
    if (report.outcome != RunOutcome::Won) return std::nullopt;
    return report.playTime;
}

Medal levelMedal(const std::string& levelPath, const std::string& settingsPath, float seconds)
{
    return medalFor(seconds, authorTime(levelPath, settingsPath));
}

std::string medalTimesText(const MedalTimes& times)
{
    char text[128];
    std::snprintf(text, sizeof text, "author %.3f s, gold %.3f s, silver %.3f s, bronze %.3f s",
                  static_cast<double>(times.author), static_cast<double>(times.gold),
                  static_cast<double>(times.silver), static_cast<double>(times.bronze));
    return text;
}
