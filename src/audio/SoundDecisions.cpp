#include "audio/SoundDecisions.h"

#include <algorithm>
#include <cmath>

#include <glm/geometric.hpp>

#include "sim/view/FrameView.h"

namespace {

float ramp(float value, float from, float to) { return std::clamp((value - from) / (to - from), 0.0f, 1.0f); }

// The speeds at which landings, bumps and rolling reach full loudness.
constexpr float kLoudLandingSpeed = 25.0f;
constexpr float kLoudBumpSpeed = 20.0f;
constexpr float kFastRollSpeed = 25.0f;
constexpr float kStillRollSpeed = 0.5f;
constexpr float kHumReach = 30.0f;

SoundCue worldCue(SoundId sound, const FrameEvent& event, float gain = 1.0f, float pitch = 1.0f)
{
    return SoundCue{sound, gain, pitch, true, event.position};
}

SoundCue interfaceCue(SoundId sound) { return SoundCue{sound, 1.0f, 1.0f, false, glm::vec3(0.0f)}; }

bool isWorldSound(const SoundCue& cue) { return cue.positional; }

}  // namespace

std::optional<SoundCue> cueForEvent(const FrameEvent& event)
{
    switch (event.kind) {
    case FrameEventKind::WarmUpEnded: return interfaceCue(SoundId::Ready);
    case FrameEventKind::LevelRestarted: return interfaceCue(SoundId::Restart);
    case FrameEventKind::FirstJump: return worldCue(SoundId::Jump, event);
    case FrameEventKind::SecondJump: return worldCue(SoundId::DoubleJump, event);
    case FrameEventKind::Landing: {
        if (!(event.speed >= kRestingLandingSpeed)) return std::nullopt;
        // A harder landing is louder and brighter (played faster).
        const float hardness = ramp(event.speed, kRestingLandingSpeed, kLoudLandingSpeed);
        return worldCue(SoundId::Landing, event, 0.25f + 0.75f * hardness, 0.8f + 0.4f * hardness);
    }
    case FrameEventKind::Bump: {
        if (!(event.speed >= kRestingBumpSpeed)) return std::nullopt;
        const float hardness = ramp(event.speed, kRestingBumpSpeed, kLoudBumpSpeed);
        return worldCue(SoundId::Bump, event, 0.2f + 0.8f * hardness, 0.9f + 0.25f * hardness);
    }
    case FrameEventKind::PowerUpTaken: return worldCue(SoundId::PowerUp, event);
    case FrameEventKind::GoalReached: return interfaceCue(SoundId::Goal);
    case FrameEventKind::VoidReached: return interfaceCue(SoundId::VoidReached);
    case FrameEventKind::Paused: return interfaceCue(SoundId::Pause);
    case FrameEventKind::Resumed: return interfaceCue(SoundId::Resume);
    case FrameEventKind::NewBestTime: return interfaceCue(SoundId::NewBest);
    case FrameEventKind::MenuMove: return interfaceCue(SoundId::MenuMove);
    case FrameEventKind::MenuSelect: return interfaceCue(SoundId::MenuSelect);
    case FrameEventKind::MenuBack: return interfaceCue(SoundId::MenuBack);
    // The level's start is heard as the astronaut's first move; the confetti
    // is part of the goal's fanfare.
    case FrameEventKind::LevelStarted:
    case FrameEventKind::ConfettiThrown: return std::nullopt;
    }
    return std::nullopt;
}

std::vector<SoundCue> mergeEqualCues(const std::vector<SoundCue>& cues)
{
    std::vector<SoundCue> merged;
    for (const SoundCue& cue : cues) {
        auto same = std::find_if(merged.begin(), merged.end(), [&](const SoundCue& m) { return m.sound == cue.sound; });
        if (same == merged.end()) {
            merged.push_back(cue);
        } else if (cue.gain > same->gain) {
            *same = cue;
        }
    }
    return merged;
}

LoopLevel rollLevel(bool grounded, float groundSpeed)
{
    LoopLevel level;
    if (!grounded || !(groundSpeed > kStillRollSpeed)) return level;
    const float pace = ramp(groundSpeed, kStillRollSpeed, kFastRollSpeed);
    level.gain = 0.15f + 0.55f * pace;
    level.pitch = 0.7f + 0.8f * pace;
    return level;
}

float voidHumGain(float heightAboveVoid)
{
    if (!std::isfinite(heightAboveVoid)) return 0.0f;
    const float near = 1.0f - ramp(heightAboveVoid, 0.0f, kHumReach);
    return 0.8f * near * near;
}

Listener listenerFrom(const glm::mat4& view, const glm::vec3& cameraPosition)
{
    // The view matrix's rows are the camera's axes in world space; it looks along -z.
    Listener listener;
    listener.position = cameraPosition;
    const glm::vec3 forward = -glm::vec3(view[0][2], view[1][2], view[2][2]);
    const glm::vec3 up = glm::vec3(view[0][1], view[1][1], view[2][1]);
    if (glm::length(forward) > 0.0f && glm::length(up) > 0.0f) {
        listener.forward = glm::normalize(forward);
        listener.up = glm::normalize(up);
    }
    return listener;
}

FrameSounds decideFrameSounds(const FrameView& view, const MixLevels& levels)
{
    FrameSounds sounds;
    const float master = levels.muted ? 0.0f : levels.volume;
    const float effects = master * levels.effects;
    sounds.effectsPaused = view.paused;
    sounds.listener = listenerFrom(view.view, view.cameraPosition);

    std::vector<SoundCue> cues;
    for (const FrameEvent& event : view.events) {
        std::optional<SoundCue> cue = cueForEvent(event);
        // While paused only the interface speaks (the pause sound itself, menus).
        if (!cue || (view.paused && isWorldSound(*cue))) continue;
        cue->gain *= effects;
        if (cue->gain > 0.0f) cues.push_back(*cue);
    }
    sounds.cues = mergeEqualCues(cues);

    if (!view.paused) {
        sounds.roll = rollLevel(view.grounded, view.groundSpeed);
        sounds.roll.gain *= effects;
        sounds.roll.position = view.characterPosition;
        sounds.voidHum.gain = effects * voidHumGain(view.characterPosition.y - view.voidHeight);
        // From straight below the astronaut, at the void's surface.
        sounds.voidHum.position = glm::vec3(view.characterPosition.x, view.voidHeight, view.characterPosition.z);
    }
    sounds.musicGain = master * levels.music * (view.paused ? kPausedMusicShare : 1.0f);
    return sounds;
}

std::optional<std::size_t> chooseVoice(std::span<const VoiceState> voices, float gain)
{
    std::optional<std::size_t> quietest;
    for (std::size_t i = 0; i < voices.size(); ++i) {
        if (!voices[i].busy) return i;
        if (!quietest || voices[i].gain < voices[*quietest].gain ||
            (voices[i].gain == voices[*quietest].gain && voices[i].started < voices[*quietest].started))
            quietest = i;
    }
    if (quietest && voices[*quietest].gain < gain) return quietest;
    return std::nullopt;
}
