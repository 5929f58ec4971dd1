// libFuzzer target: any bytes give a replay or an error, never both or neither;
// a replay that parses is written out again and reads back the same, frame for
// frame and bit for bit.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "sim/replay/ReplayFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ReplayParse parsed = parseReplay(std::string_view(reinterpret_cast<const char*>(data), size));
    if (parsed.replay.has_value() == !parsed.error.empty()) __builtin_trap();
    if (!parsed.replay) return 0;

    const Replay& replay = *parsed.replay;
    std::string text = formatReplayHeader(replay.header);
    for (const ReplayFrame& frame : replay.frames) {
        if (!std::isfinite(frame.deltaTime)) __builtin_trap();  // the frame loop would take it as time
        text += formatReplayFrame(frame);
    }
    const ReplayParse again = parseReplay(text);
    if (!again.replay || again.replay->frames.size() != replay.frames.size()) __builtin_trap();
    for (size_t i = 0; i < replay.frames.size(); ++i) {
        const ReplayFrame &a = replay.frames[i], &b = again.replay->frames[i];
        if (std::memcmp(&a.deltaTime, &b.deltaTime, sizeof a.deltaTime) != 0 || a.keys != b.keys ||
            a.paused != b.paused || a.repeat != b.repeat)
            __builtin_trap();
        // A paused run stands for 1 to kPausedRunLimit frames and carries no time.
        if (a.repeat < 1 || a.repeat > kPausedRunLimit || (a.repeat > 1 && !a.paused) || (a.paused && a.deltaTime != 0.0f))
            __builtin_trap();
    }
    const ReplayHeader &a = replay.header, &b = again.replay->header;
    if (a.format != b.format || a.simulation != b.simulation || a.level != b.level || a.levelFile != b.levelFile || a.levelHash != b.levelHash ||
        a.catalogueHash != b.catalogueHash || a.settings.loadTime != b.settings.loadTime)
        __builtin_trap();
    return 0;
}
