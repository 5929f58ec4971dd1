#include "sim/replay/ReplayWriter.h"

#include "sim/replay/FrameRecord.h"

#include <cerrno>
#include <cstring>
#include <ostream>

ReplayWriter::ReplayWriter(CreatedFile created, const ReplayHeader& header, std::ostream& log)
    : file(std::move(created)), filePath(file.path().string()), log(log)
{
    if (!file.valid()) {
        ok = false;
        return;
    }
    errno = 0;
    if (!file.writeAll(formatReplayHeader(header))) stop("Recording off");
}

ReplayWriter::~ReplayWriter()
{
    finish();
}

void ReplayWriter::append(const ReplayFrame& frame)
{
    if (!ok) return;
    appendFrame(held, frame);
    const bool lastMayGrow = held.back().paused && held.back().repeat < kPausedRunLimit;
    const size_t ready = held.size() - (lastMayGrow ? 1 : 0);
    for (size_t i = 0; i < ready; ++i) writeLine(held[i]);
    held.erase(held.begin(), held.begin() + static_cast<long>(ready));
}

void ReplayWriter::finish()
{
    if (!ok) return;
    for (const ReplayFrame& line : held) writeLine(line);
    held.clear();
    ok = false;
    file.close();
}

void ReplayWriter::writeLine(const ReplayFrame& frame)
{
    if (!ok) return;
    errno = 0;
    if (!file.writeAll(formatReplayFrame(frame))) stop("Recording stopped");
}

void ReplayWriter::stop(const char* what)
{
    ok = false;
    log << what << ": cannot write " << filePath << (errno ? std::string(" (") + std::strerror(errno) + ")" : "")
        << "\n";
    file.close();
}
