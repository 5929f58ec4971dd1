#include "audio/SoundBank.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "core/FileCheck.h"

namespace {

struct SoundFile {
    SNDFILE* file = nullptr;
    ~SoundFile()
    {
        if (file) sf_close(file);
    }
};

}  // namespace

DecodedSound decodeSound(const std::string& path, std::ostream& log)
{
    DecodedSound sound;
    const CheckedDescriptor checked = openCheckedFile(path, FileKind::Sound, log);
    if (checked.refused) return sound;
    SF_INFO info{};
    // libsndfile closes the descriptor with the handle.
    SoundFile opened{checked.fd >= 0 ? sf_open_fd(checked.fd, SFM_READ, &info, SF_TRUE) : nullptr};
    const bool fits = opened.file && info.channels > 0 && info.channels <= 8 && info.samplerate > 0 &&
                      info.frames > 0 && info.frames <= static_cast<sf_count_t>(kLongestEffectSeconds * info.samplerate);
    if (!fits) {
        log << "Sound failed to load at path: " << path << "\n";
        return sound;
    }
    std::vector<float> interleaved(static_cast<std::size_t>(info.frames) * info.channels);
    const sf_count_t read = sf_readf_float(opened.file, interleaved.data(), info.frames);
    if (read <= 0) {
        log << "Sound failed to load at path: " << path << "\n";
        return sound;
    }
    sound.rate = info.samplerate;
    sound.samples.resize(static_cast<std::size_t>(read));
    for (std::size_t frame = 0; frame < sound.samples.size(); ++frame) {
        float sum = 0.0f;
        for (int c = 0; c < info.channels; ++c) sum += interleaved[frame * info.channels + c];
        const float mono = std::clamp(sum / static_cast<float>(info.channels), -1.0f, 1.0f);
        sound.samples[frame] = static_cast<int16_t>(std::lround(mono * 32767.0f));
    }
    return sound;
}

DecodedSounds decodeSounds(const std::string& folder, std::ostream& log)
{
    DecodedSounds sounds;
    for (std::size_t i = 0; i < kSoundCount; ++i) sounds.effects[i] = decodeSound(folder + "/" + kSoundFiles[i], log);
    sounds.roll = decodeSound(folder + "/" + kRollLoopFile, log);
    sounds.voidHum = decodeSound(folder + "/" + kVoidHumLoopFile, log);
    return sounds;
}
