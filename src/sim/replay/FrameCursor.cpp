#include "sim/replay/FrameCursor.h"

size_t frameCount(const std::vector<ReplayFrame>& frames)
{
    size_t count = 0;
    for (const ReplayFrame& frame : frames) count += frame.repeat;
    return count;
}

ReplayFrame FrameCursor::next()
{
    ReplayFrame frame = (*lines)[line];
    frame.repeat = 1;
    // A line of zero frames (a reader never makes one) is stepped over, not played.
    if (++withinLine >= (*lines)[line].repeat) {
        ++line;
        withinLine = 0;
    }
    ++count;
    return frame;
}

std::vector<ReplayFrame> FrameCursor::playedLines() const
{
    std::vector<ReplayFrame> played(lines->begin(), lines->begin() + static_cast<long>(line));
    if (withinLine > 0) {
        played.push_back((*lines)[line]);
        played.back().repeat = withinLine;
    }
    return played;
}
