#pragma once
#include <AL/al.h>

#include <array>
#include <condition_variable>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// The music, streamed: a decoder thread reads the file a small piece at a time
// into a queue of a few OpenAL buffers on one source, and starts the file again
// at its end (the music is a seamless loop). The file is never held whole in
// memory, and the frame loop never reads or decodes it.
class MusicStream {
public:
    static constexpr int kBuffers = 4;
    static constexpr int kFramesPerBuffer = 4096;

    // Opens and checks the file (one line when it cannot be used: the check's,
    // or "Sound failed to load at path: <path>") and fills the queue; nullptr
    // when there is nothing to play. `source` belongs to the caller.
    static std::unique_ptr<MusicStream> open(const std::string& path, ALuint source, std::ostream& log);
    // Stops the thread and deletes the buffers.
    ~MusicStream();
    MusicStream(const MusicStream&) = delete;
    MusicStream& operator=(const MusicStream&) = delete;

    // Pieces decoded so far (for checks that the stream moves).
    long piecesDecoded() const;

private:
    struct File;
    MusicStream(std::unique_ptr<File> file, ALuint source);
    bool fill(ALuint buffer);
    void run();

    std::unique_ptr<File> file;
    ALuint source;
    std::array<ALuint, kBuffers> buffers{};
    mutable std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    long pieces = 0;
    std::thread thread;
};
