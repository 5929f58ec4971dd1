#include "audio/AlMixer.h"

#include <AL/alext.h>

#include <ostream>

#include "audio/MusicStream.h"

namespace {

// World sounds keep their full loudness within this distance of the camera
// (the follow camera sits about 10 to 15 units from the astronaut).
constexpr float kReferenceDistance = 15.0f;

ALuint bufferOf(const DecodedSound& sound)
{
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, AL_FORMAT_MONO16, sound.samples.data(),
                 static_cast<ALsizei>(sound.samples.size() * sizeof(int16_t)), sound.rate);
    return buffer;
}

void makeWorldSource(ALuint source)
{
    alSourcef(source, AL_REFERENCE_DISTANCE, kReferenceDistance);
    alSourcei(source, AL_SOURCE_RELATIVE, AL_FALSE);
}

void startLoop(ALuint source, ALuint buffer)
{
    makeWorldSource(source);
    alSourcei(source, AL_LOOPING, AL_TRUE);
    alSourcef(source, AL_GAIN, 0.0f);
    if (buffer == 0) return;
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcePlay(source);
}

}  // namespace

std::unique_ptr<AlMixer> AlMixer::create(ALCdevice* device, const ALCint* attributes, const DecodedSounds& sounds,
                                         const std::string& musicPath, std::ostream& log)
{
    ALCcontext* context = alcCreateContext(device, attributes);
    if (!context || !alcMakeContextCurrent(context)) {
        if (context) alcDestroyContext(context);
        alcCloseDevice(device);
        log << "Sound off: the audio device refused a context\n";
        return nullptr;
    }
    std::unique_ptr<AlMixer> mixer(new AlMixer(device, context));
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    for (std::size_t i = 0; i < kSoundCount; ++i) {
        mixer->effectLoaded[i] = sounds.effects[i].usable();
        if (mixer->effectLoaded[i]) mixer->effectBuffers[i] = bufferOf(sounds.effects[i]);
    }
    if (sounds.roll.usable()) mixer->rollBuffer = bufferOf(sounds.roll);
    if (sounds.voidHum.usable()) mixer->humBuffer = bufferOf(sounds.voidHum);
    alGenSources(static_cast<ALsizei>(kVoices), mixer->voices.data());
    alGenSources(1, &mixer->rollSource);
    alGenSources(1, &mixer->humSource);
    alGenSources(1, &mixer->musicSource);
    startLoop(mixer->rollSource, mixer->rollBuffer);
    startLoop(mixer->humSource, mixer->humBuffer);
    alSourcei(mixer->musicSource, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(mixer->musicSource, AL_GAIN, 0.0f);
    if (alGetError() != AL_NO_ERROR) {
        log << "Sound off: OpenAL could not make the game's sounds\n";
        return nullptr;
    }
    if (!musicPath.empty()) mixer->musicStream = MusicStream::open(musicPath, mixer->musicSource, log);
    return mixer;
}

AlMixer::AlMixer(ALCdevice* device, ALCcontext* context) : alDevice(device), context(context) {}

AlMixer::~AlMixer()
{
    musicStream.reset();
    alSourceStopv(static_cast<ALsizei>(kVoices), voices.data());
    alDeleteSources(static_cast<ALsizei>(kVoices), voices.data());
    const ALuint loops[] = {rollSource, humSource, musicSource};
    alSourceStopv(3, loops);
    alDeleteSources(3, loops);
    for (std::size_t i = 0; i < kSoundCount; ++i)
        if (effectLoaded[i]) alDeleteBuffers(1, &effectBuffers[i]);
    if (rollBuffer) alDeleteBuffers(1, &rollBuffer);
    if (humBuffer) alDeleteBuffers(1, &humBuffer);
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    alcCloseDevice(alDevice);
}

bool AlMixer::connected() const
{
    if (!alcIsExtensionPresent(alDevice, "ALC_EXT_disconnect")) return true;
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(alDevice, ALC_CONNECTED, 1, &connected);
    return connected != ALC_FALSE;
}

std::size_t AlMixer::busyVoices() const
{
    std::size_t busy = 0;
    for (ALuint voice : voices) {
        ALint state = AL_INITIAL;
        alGetSourcei(voice, AL_SOURCE_STATE, &state);
        busy += (state == AL_PLAYING || state == AL_PAUSED) ? 1 : 0;
    }
    return busy;
}

void AlMixer::refreshVoices()
{
    for (std::size_t i = 0; i < kVoices; ++i) {
        ALint state = AL_INITIAL;
        alGetSourcei(voices[i], AL_SOURCE_STATE, &state);
        voiceStates[i].busy = state == AL_PLAYING || state == AL_PAUSED;
    }
}

// A pause holds the world's sounds where they are and lets them go on at the resume.
void AlMixer::holdWorldVoices(bool hold)
{
    if (hold == held) return;
    held = hold;
    for (std::size_t i = 0; i < kVoices; ++i) {
        if (!worldVoice[i]) continue;
        ALint state = AL_INITIAL;
        alGetSourcei(voices[i], AL_SOURCE_STATE, &state);
        if (hold && state == AL_PLAYING) alSourcePause(voices[i]);
        if (!hold && state == AL_PAUSED) alSourcePlay(voices[i]);
    }
}

bool AlMixer::startCue(const SoundCue& cue)
{
    const std::size_t sound = index(cue.sound);
    if (!effectLoaded[sound]) return false;
    const std::optional<std::size_t> slot = chooseVoice(voiceStates, cue.gain);
    if (!slot) return false;
    const ALuint voice = voices[*slot];
    alSourceStop(voice);
    alSourcei(voice, AL_BUFFER, static_cast<ALint>(effectBuffers[sound]));
    alSourcef(voice, AL_GAIN, cue.gain);
    alSourcef(voice, AL_PITCH, cue.pitch);
    if (cue.positional) {
        makeWorldSource(voice);
        alSource3f(voice, AL_POSITION, cue.position.x, cue.position.y, cue.position.z);
    } else {
        alSourcei(voice, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(voice, AL_POSITION, 0.0f, 0.0f, 0.0f);
    }
    alSourcePlay(voice);
    voiceStates[*slot] = VoiceState{true, cue.gain, ++started};
    worldVoice[*slot] = cue.positional;
    return true;
}

std::vector<std::size_t> AlMixer::play(const FrameSounds& sounds)
{
    const Listener& l = sounds.listener;
    alListener3f(AL_POSITION, l.position.x, l.position.y, l.position.z);
    const ALfloat orientation[] = {l.forward.x, l.forward.y, l.forward.z, l.up.x, l.up.y, l.up.z};
    alListenerfv(AL_ORIENTATION, orientation);

    refreshVoices();
    holdWorldVoices(sounds.effectsPaused);
    std::vector<std::size_t> startedCues;
    for (std::size_t i = 0; i < sounds.cues.size(); ++i)
        if (startCue(sounds.cues[i])) startedCues.push_back(i);

    alSourcef(rollSource, AL_GAIN, sounds.roll.gain);
    alSourcef(rollSource, AL_PITCH, sounds.roll.pitch);
    alSource3f(rollSource, AL_POSITION, sounds.roll.position.x, sounds.roll.position.y, sounds.roll.position.z);
    alSourcef(humSource, AL_GAIN, sounds.voidHum.gain);
    alSource3f(humSource, AL_POSITION, sounds.voidHum.position.x, sounds.voidHum.position.y,
               sounds.voidHum.position.z);
    alSourcef(musicSource, AL_GAIN, sounds.musicGain);
    return startedCues;
}
