#include "core/ExclusiveFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

CreatedFile::CreatedFile(CreatedFile&& other) noexcept
    : descriptor(other.descriptor), filePath(std::move(other.filePath))
{
    other.descriptor = -1;
}

CreatedFile& CreatedFile::operator=(CreatedFile&& other) noexcept
{
    if (this != &other) {
        close();
        descriptor = other.descriptor;
        filePath = std::move(other.filePath);
        other.descriptor = -1;
    }
    return *this;
}

CreatedFile::~CreatedFile()
{
    close();
}

void CreatedFile::close()
{
    if (descriptor >= 0) ::close(descriptor);
    descriptor = -1;
}

bool CreatedFile::writeAll(std::string_view bytes) const
{
    if (descriptor < 0) {
        errno = EBADF;
        return false;
    }
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

CreatedFile openTruncated(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return {};
    return CreatedFile(fd, path);
}

CreatedFile createUnusedFile(const std::filesystem::path& folder, const std::string& stem, std::string_view separator,
                             std::string_view extension)
{
    for (int n = 1; n < 1000; ++n) {
        std::string name = stem;
        if (n > 1) name += std::string(separator) + std::to_string(n);
        name += extension;
        const std::filesystem::path path = folder / name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) return CreatedFile(fd, path);
        if (errno != EEXIST) return {};
    }
    errno = EEXIST;
    return {};
}
