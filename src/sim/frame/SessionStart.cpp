#include "sim/frame/SessionStart.h"

#include "core/IniFile.h"
#include "sim/frame/GameSession.h"

#include <cctype>

namespace {

constexpr int kHighestLevel = 99;

bool isNumber(const std::string& text)
{
    if (text.empty() || text.size() > 2) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool down(KeyMask keys, Key key) { return keys & keyBit(key); }

}  // namespace

std::unique_ptr<GameSession> openSession(const StartupConfig& config, const std::string& settingsPath,
                                         const std::string& levelPath, std::ostream& log)
{
    return std::make_unique<GameSession>(config, IniFile(settingsPath, log), openLevelFile(levelPath, log), log);
}

std::string nextLevel(const std::string& level, const std::function<bool(const std::string&)>& levelExists)
{
    const int current = isNumber(level) ? std::stoi(level) : -1;
    for (int step = 1; step <= kHighestLevel + 1; ++step) {
        const int candidate = (current + step) % (kHighestLevel + 1);
        if (candidate == current) break;
        if (levelExists(std::to_string(candidate))) return std::to_string(candidate);
    }
    return level;
}

SessionKeys::Choice SessionKeys::afterFrame(KeyMask keys, bool polled)
{
    if (!polled) return None;
    const bool retry = down(keys, Key::R) && retryWasUp;
    const bool next = down(keys, Key::N) && nextWasUp;
    retryWasUp = !down(keys, Key::R);
    nextWasUp = !down(keys, Key::N);
    if (retry) return Retry;
    return next ? Next : None;
}
