#pragma once
#include <future>
#include <iosfwd>
#include <memory>
#include <string>

#include "audio/AudioSettings.h"
#include "audio/SoundDecisions.h"

class AlMixer;
class SoundTrace;
struct FrameView;

// The game's sound as the window layer sees it: one call per frame with the
// frame's value, after the simulation. Whatever goes wrong costs one line and
// the game plays on silently; nothing here can change what the game does.
class SoundOutput {
public:
    SoundOutput(std::unique_ptr<AlMixer> mixer, const AudioSettings& settings, std::ostream& log);
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Plays what `view` asks for. A device found gone says
    // "Sound off: the audio device was disconnected" once and closes it.
    void afterFrame(const FrameView& view);
    void toggleMute() { levels.muted = !levels.muted; }
    // The options menu's volumes, heard from the next frame on.
    void setLevels(float volume, float effects, float music)
    {
        levels.volume = volume;
        levels.effects = effects;
        levels.music = music;
    }
    bool playing() const { return mixer != nullptr; }
    // The latency benchmark's trace into `path` (--sound-trace); one line on
    // the log when it cannot be kept. The frame loop calls frameBegins() at
    // the top of every frame.
    void traceTo(const std::string& path);
    void frameBegins();
    const AlMixer* currentMixer() const { return mixer.get(); }

private:
    std::unique_ptr<AlMixer> mixer;
    std::unique_ptr<SoundTrace> trace;
    MixLevels levels;
    std::ostream& log;
};

// What starting the sound came to: the output (none when sound is off or
// cannot play) and the lines to print, in order, on the main thread.
struct StartedSound {
    std::unique_ptr<SoundOutput> output;
    std::string lines;
};

// Decodes every effect and opens the default audio device on a thread of its
// own, so start-up waits for neither: `assetPath` holds sounds/ and music/.
// Lines meant for the log are kept in StartedSound::lines. `log` is the stream
// the output writes to later, from the frame loop.
std::future<StartedSound> startSoundAhead(const AudioSettings& settings, const std::string& assetPath,
                                          std::ostream& log);
