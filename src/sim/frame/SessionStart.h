#pragma once
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include "sim/replay/ReplayFile.h"

class GameSession;
struct StartupConfig;

// A new run of the level: the settings and level files read afresh and a new
// session built from them, as at start-up.
std::unique_ptr<GameSession> openSession(const StartupConfig& config, const std::string& settingsPath,
                                         const std::string& levelPath, std::ostream& log);

// The level setting after `level`: the next number whose level file exists,
// wrapping round to the lowest; `level` itself when no other exists. A level
// setting that is not a number is followed by the first level that exists.
std::string nextLevel(const std::string& level, const std::function<bool(const std::string&)>& levelExists);

// R (retry) and N (next level) end a session. Their press edges are kept here,
// across sessions, so a key held while the new level starts fires once.
class SessionKeys {
public:
    enum Choice { None, Retry, Next };

    // The keys a frame read; `polled` is false for frames that read none (the
    // warm-up's), which leave the memory alone.
    Choice afterFrame(KeyMask keys, bool polled);

private:
    bool retryWasUp = true;
    bool nextWasUp = true;
};
