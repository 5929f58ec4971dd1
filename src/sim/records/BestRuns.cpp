#include "sim/records/BestRuns.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <ostream>
#include <fcntl.h>
#include <unistd.h>

#include "sim/replay/ReplayPlayback.h"
#include "core/XdgPaths.h"

namespace fs = std::filesystem;

namespace {

// Writes all of `bytes` to a new file and flushes it to the disk; errno is set on failure.
bool writeDurably(const fs::path& path, const std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<size_t>(n);
    }
    const bool ok = written == bytes.size() && ::fsync(fd) == 0;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return ok;
}

void syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::string errnoText() { return errno ? std::string(" (") + std::strerror(errno) + ")" : ""; }

}  // namespace

std::optional<fs::path> defaultBestRunFolder(const char* xdgDataHome, const char* home)
{
    const auto base = xdgFolder(xdgDataHome, home, ".local/share");
    if (!base) return std::nullopt;
    return *base / "vaultrise" / "best";
}

fs::path bestRunPath(const fs::path& folder, const std::string& level)
{
    std::string safe;
    for (char c : level) safe += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') ? c : '_';
    return folder / ("level" + safe.substr(0, 40) + ".replay");
}

bool saveBestRun(const fs::path& path, const Replay& replay, std::ostream& log)
{
    static std::atomic<unsigned> serial{0};
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::string bytes = formatReplayHeader(replay.header);
    for (const ReplayFrame& frame : replay.frames) bytes += formatReplayFrame(frame);
    // One temporary name per writer, so that two games never share one.
    const fs::path temporary = path.string() + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(serial++);
    errno = 0;
    if (!writeDurably(temporary, bytes)) {
        log << "Best run: cannot write " << temporary.string() << errnoText() << "\n";
        fs::remove(temporary, error);
        return false;
    }
    fs::rename(temporary, path, error);
    if (error) {
        log << "Best run: cannot replace " << path.string() << " (" << error.message() << ")\n";
        fs::remove(temporary, error);
        return false;
    }
    syncFolder(path.parent_path());
    return true;
}

std::optional<Replay> loadBestRun(const fs::path& path, const std::string& levelPath, const std::string& settingsPath)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return std::nullopt;
    ReplayParse parsed = loadReplay(path.string());
    if (!parsed.replay || !replayMismatch(parsed.replay->header, levelPath, settingsPath).empty()) return std::nullopt;
    return std::move(parsed.replay);
}
