#include "core/FileCheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>
#include <ostream>

namespace {

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

const char* kindName(FileKind kind)
{
    switch (kind) {
    case FileKind::Ini: return "a settings or level file";
    case FileKind::Shader: return "a shader";
    case FileKind::Image: return "an image";
    case FileKind::Model: return "a model";
    case FileKind::Font: return "a font";
    case FileKind::Replay: return "a replay";
    case FileKind::Sound: return "a sound";
    }
    return "a file";
}

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0) ::close(fd);
    }
};

std::string tooLarge(std::uint64_t size, FileKind kind)
{
    return "is " + std::to_string(size) + " bytes, above the limit of " + std::to_string(fileSizeCap(kind)) +
           " bytes for " + kindName(kind);
}

// Why an opened file is refused, from its status; empty when it is not.
std::string statusRefusal(const struct stat& status, FileKind kind)
{
    if (S_ISFIFO(status.st_mode)) return "is a FIFO, not a regular file";
    if (S_ISDIR(status.st_mode)) return "is a folder, not a regular file";
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) return "is a device, not a regular file";
    if (!S_ISREG(status.st_mode)) return "is not a regular file";
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (size > fileSizeCap(kind)) return tooLarge(size, kind);
    return {};
}

}  // namespace

std::uint64_t fileSizeCap(FileKind kind)
{
    switch (kind) {
    case FileKind::Ini: return kMiB;
    case FileKind::Shader: return kMiB;
    case FileKind::Font: return 16 * kMiB;
    case FileKind::Sound: return 32 * kMiB;
    case FileKind::Image:
    case FileKind::Model:
    case FileKind::Replay: return 64 * kMiB;
    }
    return kMiB;
}

void reportRefusedFile(std::ostream& log, const std::string& path, const std::string& why)
{
    log << "File refused: " << path << " " << why << "\n";
}

CheckedFile readCheckedFile(const std::string& path, FileKind kind, std::ostream& log)
{
    CheckedFile result;
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) return result;
    struct stat status {};
    if (::fstat(file.fd, &status) != 0) return result;
    result.refusal = statusRefusal(status, kind);
    if (result.refusal.empty()) {
        // Read up to one byte past the cap: a file that grew since fstat is still caught.
        const std::uint64_t cap = fileSizeCap(kind);
        std::string bytes(static_cast<size_t>(status.st_size), '\0');
        size_t used = 0;
        for (;;) {
            if (used == bytes.size()) {
                if (used > cap) break;
                bytes.resize(std::min<std::uint64_t>(cap + 1, used + 4096 + used / 2));
            }
            const ssize_t got = ::read(file.fd, bytes.data() + used, bytes.size() - used);
            if (got < 0) return result;  // an unreadable file is a missing one
            if (got == 0) break;
            used += static_cast<size_t>(got);
        }
        bytes.resize(used);
        if (used > cap)
            result.refusal = tooLarge(used, kind);
        else
            result.bytes = std::move(bytes);
    }
    if (!result.refusal.empty()) reportRefusedFile(log, path, result.refusal);
    return result;
}

CheckedDescriptor openCheckedFile(const std::string& path, FileKind kind, std::ostream& log)
{
    Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    struct stat status {};
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0) return {};
    const std::string why = statusRefusal(status, kind);
    if (!why.empty()) {
        reportRefusedFile(log, path, why);
        return {-1, true};
    }
    // A regular file: its reads never wait on a writer, so it may block.
    const int flags = ::fcntl(file.fd, F_GETFL);
    if (flags < 0 || ::fcntl(file.fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return {};
    return {std::exchange(file.fd, -1), false};
}

std::string imageSizeRefusal(long long width, long long height)
{
    if (width <= kMaxImageSide && height <= kMaxImageSide && width * height <= kMaxImagePixels) return {};
    return "is " + std::to_string(width) + "x" + std::to_string(height) + " pixels, above the limit of " +
           std::to_string(kMaxImageSide) + " on a side and " + std::to_string(kMaxImagePixels) + " pixels for an image";
}
