#include "core/DurableFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <ostream>
#include <system_error>
#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string reason(int error)
{
    return error ? std::string(" (") + std::strerror(error) + ")" : "";
}

// Writes all of `bytes` into a new file and flushes it to the disk; 0 or the errno.
int writeAndSync(const fs::path& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return errno;
    int error = 0;
    while (!bytes.empty() && error == 0) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR) error = errno;
        if (written > 0) bytes.remove_prefix(static_cast<size_t>(written));
    }
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}

int syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

}  // namespace

std::string writeFileDurably(const fs::path& path, std::string_view bytes)
{
    static std::atomic<unsigned> serial{0};
    std::error_code ignored;
    fs::create_directories(path.parent_path(), ignored);
    const fs::path temporary = path.string() + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
    if (const int error = writeAndSync(temporary, bytes)) {
        fs::remove(temporary, ignored);
        return "cannot write " + temporary.string() + reason(error);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        fs::remove(temporary, ignored);
        return "cannot replace " + path.string() + reason(error);
    }
    if (const int error = syncFolder(path.parent_path())) return "cannot flush the folder of " + path.string() + reason(error);
    return "";
}

bool replaceFileDurably(const fs::path& path, std::string_view bytes, std::ostream& log, const std::string& what)
{
    const std::string failure = writeFileDurably(path, bytes);
    if (failure.empty()) return true;
    log << what << ": " << failure << "\n";
    return false;
}
