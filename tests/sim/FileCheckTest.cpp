#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/AuthoredPath.h"
#include "core/FileCheck.h"
#include "core/IniFile.h"
#include "support/TempFiles.h"

// Each kind of file that must never be read: the read neither blocks nor
// spins, gives no bytes and one line saying why; a missing file gives no line.
TEST(FileCheck, OnlyRegularFilesWithinTheirKindsCapAreRead)
{
    const std::string fifo = writeTempFile("fifo", "") + ".fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string large = writeTempFile("large", std::string(fileSizeCap(FileKind::Ini) + 1, 'a'));
    const std::string small = writeTempFile("small", "[s]\nk = 1\n");
    const struct { std::string path; FileKind kind; bool read; std::string why; } rows[] = {
        {small, FileKind::Ini, true, ""},
        {large, FileKind::Image, true, ""},
        {"/nonexistent/file.ini", FileKind::Ini, false, ""},
        {fifo, FileKind::Ini, false, "is a FIFO, not a regular file"},
        {"/dev/zero", FileKind::Shader, false, "is a device, not a regular file"},
        {std::filesystem::temp_directory_path().string(), FileKind::Font, false, "is a folder, not a regular file"},
        {large, FileKind::Ini, false,
         "is 1048577 bytes, above the limit of 1048576 bytes for a settings or level file"},
    };
    for (const auto& row : rows) {
        std::ostringstream log;
        const CheckedFile file = readCheckedFile(row.path, row.kind, log);
        EXPECT_EQ(file.bytes.has_value(), row.read) << row.path;
        EXPECT_EQ(log.str(), row.why.empty() ? "" : "File refused: " + row.path + " " + row.why + "\n") << row.path;
        // Opened once for a decoder that reads as it goes: the same refusals,
        // and a descriptor that no longer waits on a writer's absence.
        std::ostringstream checkLog;
        const CheckedDescriptor opened = openCheckedFile(row.path, row.kind, checkLog);
        EXPECT_EQ(opened.fd >= 0, row.read) << row.path;
        EXPECT_EQ(opened.refused, !row.why.empty()) << row.path;
        EXPECT_EQ(checkLog.str(), log.str()) << row.path;
        if (opened.fd >= 0) {
            EXPECT_EQ(fcntl(opened.fd, F_GETFL) & O_NONBLOCK, 0) << row.path;
            close(opened.fd);
        }
    }
    std::ostringstream log;
    EXPECT_EQ(readCheckedFile(small, FileKind::Ini, log).bytes, "[s]\nk = 1\n");
    EXPECT_FALSE(IniFile(fifo, log).readable()) << "a FIFO settings file reads as a missing one";
    std::filesystem::remove(fifo);
}

TEST(FileCheck, PicturesAreRefusedFromTheirSizeAbove8192OnASide)
{
    const struct { long long width, height; bool refused; } rows[] = {
        {8192, 8192, false}, {1, 1, false}, {8193, 1, true}, {1, 8193, true}, {16000, 16000, true},
    };
    for (const auto& row : rows)
        EXPECT_EQ(!imageSizeRefusal(row.width, row.height).empty(), row.refused) << row.width << "x" << row.height;
    EXPECT_EQ(imageSizeRefusal(16384, 16384),
              "is 16384x16384 pixels, above the limit of 8192 on a side and 67108864 pixels for an image");
}

// Texture names as exporters write them, against the files on disk.
TEST(AuthoredPath, WindowsSeparatorsAndLetterCaseFindTheOneMatchingFile)
{
    const std::filesystem::path dir = freshFolder("authored");
    std::filesystem::create_directories(dir / "Maps");
    for (const char* name : {"Skin.png", "Maps/bump.png", "twin.png", "TWIN.png"}) std::ofstream(dir / name) << "x";
    const std::string d = dir.string();
    const std::pair<std::string, std::string> rows[] = {
        {".\\Skin.png", d + "/Skin.png"},
        {".\\skin.PNG", d + "/Skin.png"},
        {"maps\\BUMP.png", d + "/Maps/bump.png"},
        {"twin.png", d + "/twin.png"},
        {"Twin.png", d + "/Twin.png"},  // two files match: none is guessed
        {"maps\\missing.png", d + "/maps\\missing.png"},
        {"", d + "/"},
    };
    for (const auto& [name, path] : rows) EXPECT_EQ(resolveAuthoredPath(d, name), path) << name;
}
