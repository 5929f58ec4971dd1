#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// A file this process has just created under a name no one else holds: the
// name is taken with O_CREAT | O_EXCL, so two games started in the same second
// (or two threads) never write into one file. Owns the descriptor.
class CreatedFile {
public:
    CreatedFile() = default;
    CreatedFile(int fd, std::filesystem::path path) : descriptor(fd), filePath(std::move(path)) {}
    CreatedFile(CreatedFile&& other) noexcept;
    CreatedFile& operator=(CreatedFile&& other) noexcept;
    CreatedFile(const CreatedFile&) = delete;
    CreatedFile& operator=(const CreatedFile&) = delete;
    ~CreatedFile();

    bool valid() const { return descriptor >= 0; }
    int fd() const { return descriptor; }
    const std::filesystem::path& path() const { return filePath; }
    // Writes all of `bytes`; false (errno set) when the file system refuses.
    bool writeAll(std::string_view bytes) const;
    void close();

private:
    int descriptor = -1;
    std::filesystem::path filePath;
};

// Opens the file the user named (--record FILE) for writing from empty,
// making it when missing: a name given on purpose may replace its old file.
CreatedFile openTruncated(const std::filesystem::path& path);

// Creates "<folder>/<stem><extension>", or when that name is taken the first
// free one of "<stem><separator>2<extension>" up to "<separator>999". An
// invalid file (errno kept) when none can be made.
CreatedFile createUnusedFile(const std::filesystem::path& folder, const std::string& stem, std::string_view separator,
                             std::string_view extension);
