#pragma once
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/frame/Key.h"

// A recorded play of one level: which game keys are held in each 60 Hz frame.
//
// Text format, one run of frames per line:
//     <frames> [key ...]
// keys among W A S D Space Tab; no key means nothing is held. '#' starts a
// comment. "12 W Space" holds W and Space for 12 frames. Holding Space over
// several frames is one jump: release it for a frame between presses.
struct KeyScript {
    struct Run {
        int frames = 0;
        std::vector<Key> keys;
    };
    std::vector<Run> runs;

    static const char* keyName(Key key)
    {
        switch (key) {
        case Key::W: return "W";
        case Key::A: return "A";
        case Key::S: return "S";
        case Key::D: return "D";
        case Key::Space: return "Space";
        case Key::Tab: return "Tab";
        default: return "?";
        }
    }

    static Key keyFromName(const std::string& name)
    {
        for (Key key : {Key::W, Key::A, Key::S, Key::D, Key::Space, Key::Tab})
            if (name == keyName(key)) return key;
        throw std::runtime_error("unknown key in script: " + name);
    }

    static KeyScript parse(const std::string& text)
    {
        KeyScript script;
        std::istringstream lines(text);
        std::string line;
        int lineNumber = 0;
        while (std::getline(lines, line)) {
            ++lineNumber;
            if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
            std::istringstream words(line);
            std::string count;
            if (!(words >> count)) continue;
            Run run;
            try {
                size_t used = 0;
                run.frames = std::stoi(count, &used);
                if (used != count.size() || run.frames <= 0) throw std::invalid_argument(count);
            } catch (const std::logic_error&) {
                throw std::runtime_error("line " + std::to_string(lineNumber) + ": frame count expected, got " + count);
            }
            for (std::string name; words >> name;) run.keys.push_back(keyFromName(name));
            script.runs.push_back(run);
        }
        return script;
    }

    static KeyScript load(const std::string& path)
    {
        std::ifstream in(path);
        if (!in) throw std::runtime_error("cannot read " + path);
        std::stringstream text;
        text << in.rdbuf();
        return parse(text.str());
    }

    // Appends one frame, merging it into the last run when the keys are the same.
    void append(const std::vector<Key>& keys)
    {
        if (!runs.empty() && runs.back().keys == keys) {
            ++runs.back().frames;
            return;
        }
        runs.push_back({1, keys});
    }

    std::string format() const
    {
        std::string text;
        for (const Run& run : runs) {
            text += std::to_string(run.frames);
            for (Key key : run.keys) text += std::string(" ") + keyName(key);
            text += "\n";
        }
        return text;
    }

    int totalFrames() const
    {
        int total = 0;
        for (const Run& run : runs) total += run.frames;
        return total;
    }

    // The keys held in every frame, in order.
    std::vector<std::vector<Key>> frames() const
    {
        std::vector<std::vector<Key>> all;
        for (const Run& run : runs)
            for (int i = 0; i < run.frames; ++i) all.push_back(run.keys);
        return all;
    }
};
