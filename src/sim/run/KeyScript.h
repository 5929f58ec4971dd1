#pragma once
#include <optional>
#include <string>
#include <vector>

#include "sim/frame/Key.h"

// A recorded play of one level: which game keys are held in each frame.
//
// Text format, one run of frames per line:
//     <frames> [key ...]
// keys among W A S D Space Tab F1 F2 F3 F4 F8 Escape; no key means nothing is
// held. '#' starts a comment. "12 W Space" holds W and Space for 12 frames.
// Holding Space over several frames is one jump: release it for a frame
// between presses.
struct KeyScript {
    struct Run {
        int frames = 0;
        std::vector<Key> keys;
    };
    std::vector<Run> runs;

    // Appends one frame, merging it into the last run when the keys are the same.
    void append(const std::vector<Key>& keys);
    std::string format() const;
    int totalFrames() const;
    // The keys held in every frame, in order.
    std::vector<std::vector<Key>> frames() const;
};

// A script, or why there is none: `error` names the file or line at fault.
struct KeyScriptResult {
    std::optional<KeyScript> script;
    std::string error;
};

KeyScriptResult parseKeyScript(const std::string& text);
KeyScriptResult loadKeyScript(const std::string& path);

const char* keyName(Key key);
std::optional<Key> keyFromName(const std::string& name);
