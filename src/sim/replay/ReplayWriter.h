#pragma once
#include <fstream>
#include <iosfwd>
#include <string>

#include "sim/replay/ReplayFile.h"

// Writes a run as it is played: the header at once, then one line per frame,
// each flushed whole before the next frame starts, so a game that is killed
// leaves a file that replays up to its last whole frame. Recording never stops
// the game: a file that cannot be written costs one line on `log`, and the run
// goes on unrecorded.
class ReplayWriter {
public:
    ReplayWriter(const std::string& path, const ReplayHeader& header, std::ostream& log);

    void append(const ReplayFrame& frame);
    bool recording() const { return ok; }

private:
    // After a failed write: the one line, then silence.
    void stop(const char* what);

    std::ofstream file;
    std::string path;
    std::ostream& log;
    bool ok = true;
};
