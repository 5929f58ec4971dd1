#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "audio/SoundId.h"
#include "sim/frame/FrameEvent.h"

struct FrameView;

// What a frame sounds like, decided from the frame's value alone: no device,
// no files. The mixer (AlMixer) carries it out.

// The player's levels: the settings' [audio] values and the mute key.
struct MixLevels {
    float volume = 0.8f;
    float effects = 1.0f;
    float music = 1.0f;
    bool muted = false;
};

// One sound to start this frame.
struct SoundCue {
    SoundId sound = SoundId::Jump;
    float gain = 1.0f;   // final, with the player's levels applied
    float pitch = 1.0f;
    bool positional = false;  // a world sound, heard from `position`; otherwise beside the listener
    glm::vec3 position{0.0f};
};

// A sound that plays all the time at a level the frame sets (0 is silent).
struct LoopLevel {
    float gain = 0.0f;
    float pitch = 1.0f;
    glm::vec3 position{0.0f};
};

struct Listener {
    glm::vec3 position{0.0f};
    glm::vec3 forward{0.0f, 0.0f, -1.0f};
    glm::vec3 up{0.0f, 1.0f, 0.0f};
};

struct FrameSounds {
    std::vector<SoundCue> cues;  // one per sound, in the order of the events that asked first
    LoopLevel roll;
    LoopLevel voidHum;
    float musicGain = 0.0f;
    bool effectsPaused = false;  // world sounds already playing hold until the game resumes
    Listener listener;
};

// Below these impact speeds (units per second) a contact is resting, not a landing or a bump.
inline constexpr float kRestingLandingSpeed = 2.0f;
inline constexpr float kRestingBumpSpeed = 3.0f;
// The music's share while the game is paused.
inline constexpr float kPausedMusicShare = 0.35f;

// The sound one event asks for, before the player's levels: none for events
// without a sound and for resting contacts.
std::optional<SoundCue> cueForEvent(const FrameEvent& event);
// Equal sounds asked for in one frame play once, at the loudest one's gain and place.
std::vector<SoundCue> mergeEqualCues(const std::vector<SoundCue>& cues);
// Rolling: heard only on the ground, louder and higher as the ground speed rises.
LoopLevel rollLevel(bool grounded, float groundSpeed);
// The void's hum: silent 30 units above the void, full as it reaches the astronaut.
float voidHumGain(float heightAboveVoid);
// The camera's place and orientation, from its view matrix.
Listener listenerFrom(const glm::mat4& view, const glm::vec3& cameraPosition);

// Everything above for one frame, with the player's levels applied.
FrameSounds decideFrameSounds(const FrameView& view, const MixLevels& levels);

// A voice, as the voice pool sees it.
struct VoiceState {
    bool busy = false;
    float gain = 0.0f;
    uint64_t started = 0;  // a counter of sounds started, for "oldest"
};
// The voice a new sound of `gain` takes: a free one; when all are busy, the
// quietest (the oldest among equals) if it is quieter than the new sound;
// otherwise none, and the new sound is not played.
std::optional<std::size_t> chooseVoice(std::span<const VoiceState> voices, float gain);
