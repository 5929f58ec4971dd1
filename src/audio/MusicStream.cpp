#include "audio/MusicStream.h"

#include <sndfile.h>

#include <chrono>
#include <ostream>
#include <vector>

#include "core/FileCheck.h"

namespace {
// How often the decoder thread looks for played buffers: well inside one buffer's length.
constexpr auto kPoll = std::chrono::milliseconds(20);
}

struct MusicStream::File {
    SNDFILE* handle = nullptr;
    SF_INFO info{};
    std::vector<short> piece;
    ~File()
    {
        if (handle) sf_close(handle);
    }
};

std::unique_ptr<MusicStream> MusicStream::open(const std::string& path, ALuint source, std::ostream& log)
{
    const CheckedDescriptor checked = openCheckedFile(path, FileKind::Sound, log);
    if (checked.refused) return nullptr;
    auto file = std::make_unique<File>();
    // libsndfile closes the descriptor with the handle.
    if (checked.fd >= 0) file->handle = sf_open_fd(checked.fd, SFM_READ, &file->info, SF_TRUE);
    if (!file->handle || file->info.frames <= 0 || file->info.samplerate <= 0 || file->info.channels < 1 ||
        file->info.channels > 2) {
        log << "Sound failed to load at path: " << path << "\n";
        return nullptr;
    }
    file->piece.resize(static_cast<std::size_t>(kFramesPerBuffer) * file->info.channels);
    return std::unique_ptr<MusicStream>(new MusicStream(std::move(file), source));
}

MusicStream::MusicStream(std::unique_ptr<File> opened, ALuint source) : file(std::move(opened)), source(source)
{
    alGenBuffers(kBuffers, buffers.data());
    for (ALuint buffer : buffers)
        if (fill(buffer)) alSourceQueueBuffers(source, 1, &buffer);
    alSourcePlay(source);
    thread = std::thread([this] { run(); });
}

MusicStream::~MusicStream()
{
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    thread.join();
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
    alDeleteBuffers(kBuffers, buffers.data());
}

long MusicStream::piecesDecoded() const
{
    std::lock_guard lock(mutex);
    return pieces;
}

// The next piece of the file into `buffer`, wrapping from the end to the start.
bool MusicStream::fill(ALuint buffer)
{
    const int channels = file->info.channels;
    sf_count_t filled = 0;
    for (int attempt = 0; filled < kFramesPerBuffer && attempt < 2; ++attempt) {
        const sf_count_t read =
            sf_readf_short(file->handle, file->piece.data() + filled * channels, kFramesPerBuffer - filled);
        filled += read > 0 ? read : 0;
        if (filled < kFramesPerBuffer) {
            sf_seek(file->handle, 0, SEEK_SET);
        } else {
            break;
        }
    }
    if (filled == 0) return false;
    alBufferData(buffer, channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, file->piece.data(),
                 static_cast<ALsizei>(filled * channels * sizeof(short)), file->info.samplerate);
    std::lock_guard lock(mutex);
    ++pieces;
    return true;
}

void MusicStream::run()
{
    std::unique_lock lock(mutex);
    while (!stopping) {
        lock.unlock();
        ALint played = 0;
        alGetSourcei(source, AL_BUFFERS_PROCESSED, &played);
        for (; played > 0; --played) {
            ALuint buffer = 0;
            alSourceUnqueueBuffers(source, 1, &buffer);
            if (fill(buffer)) alSourceQueueBuffers(source, 1, &buffer);
        }
        // A queue that ran dry (a long stall) stops the source; it starts again.
        ALint state = AL_PLAYING;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING) alSourcePlay(source);
        lock.lock();
        wake.wait_for(lock, kPoll, [this] { return stopping; });
    }
}
