#pragma once
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

// Every file the game opens is checked here before it is read, so that no file
// can hang the game or make it take gigabytes: it must be a regular file (a
// FIFO would block the open, a device such as /dev/zero never ends, a folder
// is no file) and no larger than the cap for its kind. A refused file is
// treated by its loader exactly as a missing one, after one line saying why:
//   "File refused: <path> <why>"
enum class FileKind {
    Ini,     // settings and level files
    Shader,  // one shader source
    Image,   // textures and animation frames
    Model,   // model files
    Font,
    Replay,  // recorded key scripts and replays
    Sound,   // sound effects and music
};

// The largest file of each kind that is read.
std::uint64_t fileSizeCap(FileKind kind);

// Pictures larger than this on either side, or with more pixels in all, are
// refused from their header before any decoding.
inline constexpr int kMaxImageSide = 8192;
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{64} << 20;

// What reading one file came to: its bytes, or nothing with the reason it was
// refused (empty when the file simply is not there or cannot be opened).
struct CheckedFile {
    std::optional<std::string> bytes;
    std::string refusal;
};

// Opens without blocking (O_NONBLOCK: a FIFO with no writer opens at once),
// checks the opened file and reads at most its kind's cap. A refusal is
// written to `log` as one line.
CheckedFile readCheckedFile(const std::string& path, FileKind kind, std::ostream& log);

// The same checks for a loader that reads the file itself as it goes (the
// music's decoder): the file opened once, checked, and handed over as a
// blocking descriptor the caller closes. `fd` is -1 when the file is missing
// (nothing said: the loader reports it as it always did) or refused (after
// the line on `log`).
struct CheckedDescriptor {
    int fd = -1;
    bool refused = false;
};
CheckedDescriptor openCheckedFile(const std::string& path, FileKind kind, std::ostream& log);

// Why a picture of this size is refused, or an empty text when it is not.
std::string imageSizeRefusal(long long width, long long height);

// The one line every refused file gets.
void reportRefusedFile(std::ostream& log, const std::string& path, const std::string& why);
