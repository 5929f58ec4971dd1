#include "sim/replay/ReplayWriter.h"

#include <cerrno>
#include <cstring>
#include <ostream>

ReplayWriter::ReplayWriter(const std::string& path, const ReplayHeader& header, std::ostream& log)
    : path(path), log(log)
{
    errno = 0;
    file.open(path, std::ios::binary | std::ios::trunc);
    if (file) file << formatReplayHeader(header) << std::flush;
    if (!file) stop("Recording off");
}

void ReplayWriter::append(const ReplayFrame& frame)
{
    if (!ok) return;
    errno = 0;
    file << formatReplayFrame(frame) << std::flush;
    if (!file) stop("Recording stopped");
}

void ReplayWriter::stop(const char* what)
{
    ok = false;
    log << what << ": cannot write " << path << (errno ? std::string(" (") + std::strerror(errno) + ")" : "") << "\n";
    file.close();
}
