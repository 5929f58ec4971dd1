#pragma once
#include <AL/al.h>
#include <AL/alc.h>

#include <array>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "audio/SoundBank.h"
#include "audio/SoundDecisions.h"

class MusicStream;

// Carries out each frame's sound decisions with OpenAL: a fixed set of voices
// for the one-shots, one source per loop, one for the music. Owns the device's
// context and, once made, the device.
class AlMixer {
public:
    static constexpr std::size_t kVoices = 12;

    // Makes a context on `device` (taking the device over either way) and the
    // buffers and sources; nullptr with "Sound off: ..." on `log` when OpenAL
    // refuses. `musicPath` may be empty (no music).
    static std::unique_ptr<AlMixer> create(ALCdevice* device, const ALCint* attributes, const DecodedSounds& sounds,
                                           const std::string& musicPath, std::ostream& log);
    ~AlMixer();
    AlMixer(const AlMixer&) = delete;
    AlMixer& operator=(const AlMixer&) = delete;

    // Starts the frame's sounds, sets the loops, the music and the listener.
    // Returns the indices of the cues started: a cue whose sound did not load,
    // or that finds no voice, is dropped.
    std::vector<std::size_t> play(const FrameSounds& sounds);
    // False once the device is gone (unplugged, or its server stopped).
    bool connected() const;
    // Voices playing or paused.
    std::size_t busyVoices() const;
    ALCdevice* device() const { return alDevice; }
    const MusicStream* music() const { return musicStream.get(); }

private:
    AlMixer(ALCdevice* device, ALCcontext* context);
    bool startCue(const SoundCue& cue);
    void holdWorldVoices(bool hold);
    void refreshVoices();

    ALCdevice* alDevice;
    ALCcontext* context;
    std::array<ALuint, kSoundCount> effectBuffers{};
    std::array<bool, kSoundCount> effectLoaded{};
    ALuint rollBuffer = 0, humBuffer = 0;
    std::array<ALuint, kVoices> voices{};
    std::array<VoiceState, kVoices> voiceStates{};
    std::array<bool, kVoices> worldVoice{};
    ALuint rollSource = 0, humSource = 0, musicSource = 0;
    std::unique_ptr<MusicStream> musicStream;
    uint64_t started = 0;
    bool held = false;
};
