#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "core/ExclusiveFile.h"
#include "sim/replay/ReplayFile.h"

// Writes a run as it is played: the header at once, then one line per frame,
// each written whole before the next frame starts, so a game that is killed
// leaves a file that replays up to its last whole frame. Paused frames with
// the same keys gather into one line, written when the run of them ends (or
// reaches kPausedRunLimit, or the writer is closed). Recording never stops the
// game: a file that cannot be written costs one line on `log`, and the run goes
// on unrecorded.
class ReplayWriter {
public:
    ReplayWriter(CreatedFile file, const ReplayHeader& header, std::ostream& log);
    ~ReplayWriter();
    ReplayWriter(const ReplayWriter&) = delete;
    ReplayWriter& operator=(const ReplayWriter&) = delete;

    // A frame as it was played (repeat 1); with `frame.paused` it joins the paused run.
    void append(const ReplayFrame& frame);
    // Writes the paused run still held and closes the file; nothing is
    // written after it.
    void finish();
    bool recording() const { return ok; }
    const std::string& path() const { return filePath; }

private:
    void writeLine(const ReplayFrame& frame);
    // After a failed write: the one line, then silence.
    void stop(const char* what);

    CreatedFile file;
    std::string filePath;
    std::ostream& log;
    // Lines not yet written: at most a paused line that may still grow.
    std::vector<ReplayFrame> held;
    bool ok = true;
};
