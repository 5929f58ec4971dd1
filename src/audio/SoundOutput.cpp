#include "audio/SoundOutput.h"

#include <AL/alc.h>

#include <ostream>
#include <sstream>

#include "audio/AlMixer.h"
#include "audio/SoundBank.h"
#include "audio/SoundTrace.h"
#include "sim/view/FrameView.h"

SoundOutput::SoundOutput(std::unique_ptr<AlMixer> mixer, const AudioSettings& settings, std::ostream& log)
    : mixer(std::move(mixer)), levels{settings.volume, settings.effects, settings.music, false}, log(log)
{
}

SoundOutput::~SoundOutput() = default;

void SoundOutput::afterFrame(const FrameView& view)
{
    if (!mixer) return;
    if (!mixer->connected()) {
        log << "Sound off: the audio device was disconnected\n";
        trace.reset();
        mixer.reset();
        return;
    }
    const FrameSounds sounds = decideFrameSounds(view, levels);
    if (trace) trace->beforePlay();
    const std::vector<std::size_t> started = mixer->play(sounds);
    if (trace)
        for (std::size_t cue : started) trace->started(view.frameCount, sounds.cues[cue]);
}

void SoundOutput::traceTo(const std::string& path)
{
    if (mixer) trace = SoundTrace::open(path, mixer->device(), log);
}

void SoundOutput::frameBegins()
{
    if (trace) trace->frameBegins();
}

std::future<StartedSound> startSoundAhead(const AudioSettings& settings, const std::string& assetPath,
                                          std::ostream& log)
{
    return std::async(std::launch::async, [settings, assetPath, &log] {
        StartedSound started;
        std::ostringstream lines;
        const DecodedSounds sounds = decodeSounds(assetPath + "/sounds", lines);
        ALCdevice* device = alcOpenDevice(nullptr);
        if (!device) {
            lines << "Sound off: no audio device could be opened\n";
        } else if (auto mixer = AlMixer::create(device, nullptr, sounds, assetPath + "/music/" + kMusicFile, lines)) {
            started.output = std::make_unique<SoundOutput>(std::move(mixer), settings, log);
        }
        started.lines = lines.str();
        return started;
    });
}
