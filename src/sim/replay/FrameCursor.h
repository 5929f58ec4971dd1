#pragma once
#include <cstddef>
#include <vector>

#include "sim/replay/ReplayFile.h"

// How many frames a replay's lines stand for: a paused line is `repeat` frames.
size_t frameCount(const std::vector<ReplayFrame>& frames);

// Walks a replay's lines frame by frame, so every player of a replay (headless,
// the window, practice, ghosts, measures) plays a paused run as the frames it
// was, each with its keys, without spreading a long pause out in memory.
class FrameCursor {
public:
    explicit FrameCursor(const std::vector<ReplayFrame>& frames) : lines(&frames) {}

    bool atEnd() const { return line >= lines->size(); }
    // The next frame (one of a paused run's frames as a frame of its own,
    // repeat 1). Only when not at the end.
    ReplayFrame next();
    // Frames handed out so far.
    size_t played() const { return count; }
    // The lines that stand for the frames handed out so far (a paused run cut
    // where the cursor is), for a recording that goes on from here.
    std::vector<ReplayFrame> playedLines() const;

private:
    const std::vector<ReplayFrame>* lines;
    size_t line = 0;
    uint32_t withinLine = 0;
    size_t count = 0;
};
