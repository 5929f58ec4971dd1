// Which sound each frame asks for, and how loud, decided without a device.
#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include <optional>
#include <sstream>
#include <vector>

#include "audio/AudioSettings.h"
#include "audio/SoundDecisions.h"
#include "core/IniFile.h"
#include "sim/view/FrameView.h"

namespace {

FrameEvent event(FrameEventKind kind, float speed = 0.0f, glm::vec3 at = glm::vec3(0.0f))
{
    return FrameEvent{kind, speed, at};
}

FrameView viewWith(std::vector<FrameEvent> events, bool paused = false)
{
    FrameView view;
    view.events = std::move(events);
    view.paused = paused;
    view.voidHeight = -1000.0f;
    return view;
}

}  // namespace

TEST(SoundDecisions, EachEventAsksForItsSoundAtItsPlace)
{
    using K = FrameEventKind;
    const glm::vec3 at(3, 4, 5);
    const struct { K kind; float speed; std::optional<SoundId> sound; bool positional; } rows[] = {
        {K::WarmUpEnded, 0, SoundId::Ready, false},
        {K::LevelStarted, 0, std::nullopt, false},
        {K::LevelRestarted, 0, SoundId::Restart, false},
        {K::FirstJump, 0, SoundId::Jump, true},
        {K::SecondJump, 0, SoundId::DoubleJump, true},
        {K::Landing, 10, SoundId::Landing, true},
        {K::Landing, 1.9f, std::nullopt, false},  // resting contact
        {K::Bump, 10, SoundId::Bump, true},
        {K::Bump, 2.9f, std::nullopt, false},
        {K::PowerUpTaken, 0, SoundId::PowerUp, true},
        {K::GoalReached, 0, SoundId::Goal, false},
        {K::ConfettiThrown, 0, std::nullopt, false},
        {K::VoidReached, 0, SoundId::VoidReached, false},
        {K::Paused, 0, SoundId::Pause, false},
        {K::Resumed, 0, SoundId::Resume, false},
        {K::NewBestTime, 0, SoundId::NewBest, false},
        {K::MenuMove, 0, SoundId::MenuMove, false},
        {K::MenuSelect, 0, SoundId::MenuSelect, false},
        {K::MenuBack, 0, SoundId::MenuBack, false},
    };
    for (const auto& row : rows) {
        const std::optional<SoundCue> cue = cueForEvent(event(row.kind, row.speed, at));
        ASSERT_EQ(cue.has_value(), row.sound.has_value()) << static_cast<int>(row.kind) << " at " << row.speed;
        if (!cue) continue;
        EXPECT_EQ(cue->sound, *row.sound);
        EXPECT_EQ(cue->positional, row.positional) << static_cast<int>(row.kind);
        EXPECT_EQ(cue->position, row.positional ? at : glm::vec3(0.0f));
    }
}

TEST(SoundDecisions, HarderImpactsAreLouderAndBrighterUpToAFullLevel)
{
    for (const FrameEventKind kind : {FrameEventKind::Landing, FrameEventKind::Bump}) {
        float lastGain = 0.0f, lastPitch = 0.0f;
        for (float speed : {3.0f, 6.0f, 12.0f, 19.0f}) {
            const SoundCue cue = *cueForEvent(event(kind, speed));
            EXPECT_GT(cue.gain, lastGain) << speed;
            EXPECT_GT(cue.pitch, lastPitch) << speed;
            lastGain = cue.gain;
            lastPitch = cue.pitch;
        }
        const SoundCue hardest = *cueForEvent(event(kind, 1000.0f));
        EXPECT_FLOAT_EQ(hardest.gain, 1.0f);
        EXPECT_FLOAT_EQ(hardest.gain, cueForEvent(event(kind, 30.0f))->gain);
    }
    EXPECT_FALSE(cueForEvent(event(FrameEventKind::Landing, std::nanf(""))));
}

TEST(SoundDecisions, EqualSoundsOfOneFrameMergeAtTheLoudestInsteadOfStacking)
{
    std::vector<FrameEvent> events;
    for (int i = 0; i < 50; ++i) events.push_back(event(FrameEventKind::Landing, 3.0f + i * 0.4f, glm::vec3(i, 0, 0)));
    events.push_back(event(FrameEventKind::FirstJump));
    events.push_back(event(FrameEventKind::Landing, 4.0f));
    const FrameSounds sounds = decideFrameSounds(viewWith(events), MixLevels{1.0f, 1.0f, 1.0f, false});
    ASSERT_EQ(sounds.cues.size(), 2u);
    EXPECT_EQ(sounds.cues[0].sound, SoundId::Landing);  // the order of first asking
    EXPECT_EQ(sounds.cues[0].gain, cueForEvent(events[49])->gain);
    EXPECT_EQ(sounds.cues[0].position, glm::vec3(49, 0, 0));
    EXPECT_EQ(sounds.cues[1].sound, SoundId::Jump);
}

TEST(SoundDecisions, LevelsMuteAndPauseScaleWhatIsHeard)
{
    const std::vector<FrameEvent> events = {event(FrameEventKind::FirstJump), event(FrameEventKind::Paused)};
    const struct { MixLevels levels; bool paused; float jump, pause, music; } rows[] = {
        {{0.8f, 1.0f, 1.0f, false}, false, 0.8f, 0.8f, 0.8f},
        {{0.5f, 0.5f, 0.2f, false}, false, 0.25f, 0.25f, 0.1f},
        {{0.0f, 1.0f, 1.0f, false}, false, 0.0f, 0.0f, 0.0f},
        {{1.0f, 1.0f, 1.0f, true}, false, 0.0f, 0.0f, 0.0f},
        {{1.0f, 1.0f, 1.0f, false}, true, 0.0f, 1.0f, kPausedMusicShare},  // paused: the world is quiet
    };
    for (const auto& row : rows) {
        FrameView view = viewWith(events, row.paused);
        view.grounded = true;
        view.groundSpeed = 10.0f;
        view.voidHeight = view.characterPosition.y - 1.0f;
        const FrameSounds sounds = decideFrameSounds(view, row.levels);
        float jump = 0.0f, pause = 0.0f;
        for (const SoundCue& cue : sounds.cues) (cue.sound == SoundId::Jump ? jump : pause) = cue.gain;
        EXPECT_FLOAT_EQ(jump, row.jump);
        EXPECT_FLOAT_EQ(pause, row.pause);
        EXPECT_FLOAT_EQ(sounds.musicGain, row.music);
        EXPECT_EQ(sounds.effectsPaused, row.paused);
        const bool worldHeard = !row.paused && row.jump > 0.0f;
        EXPECT_EQ(sounds.roll.gain > 0.0f, worldHeard);
        EXPECT_EQ(sounds.voidHum.gain > 0.0f, worldHeard);
        // Silent sounds take no voice.
        EXPECT_EQ(sounds.cues.size(), static_cast<std::size_t>((jump > 0) + (pause > 0)));
    }
}

TEST(SoundDecisions, RollingFollowsGroundSpeedAndTheHumTheVoidsDistance)
{
    EXPECT_EQ(rollLevel(false, 20.0f).gain, 0.0f);  // in the air
    EXPECT_EQ(rollLevel(true, 0.2f).gain, 0.0f);    // standing still
    float lastGain = 0.0f, lastPitch = 0.0f;
    for (float speed : {1.0f, 5.0f, 15.0f, 24.0f}) {
        const LoopLevel level = rollLevel(true, speed);
        EXPECT_GT(level.gain, lastGain) << speed;
        EXPECT_GT(level.pitch, lastPitch) << speed;
        lastGain = level.gain;
        lastPitch = level.pitch;
    }
    EXPECT_EQ(rollLevel(true, 25.0f).gain, rollLevel(true, 500.0f).gain);

    const struct { float height; float gain; } hum[] = {
        {-5.0f, 0.8f}, {0.0f, 0.8f}, {15.0f, 0.2f}, {30.0f, 0.0f}, {500.0f, 0.0f}, {std::nanf(""), 0.0f}};
    for (const auto& row : hum) EXPECT_NEAR(voidHumGain(row.height), row.gain, 1e-6f) << row.height;

    FrameView view = viewWith({});
    view.characterPosition = glm::vec3(4, 20, -6);
    view.voidHeight = 5.0f;
    EXPECT_EQ(decideFrameSounds(view, {}).voidHum.position, glm::vec3(4, 5, -6));  // straight below
}

TEST(SoundDecisions, TheListenerFacesWhereTheCameraLooks)
{
    const struct { glm::vec3 eye, target, forward; } rows[] = {
        {{0, 0, 10}, {0, 0, 0}, {0, 0, -1}},
        {{0, 0, 0}, {5, 0, 0}, {1, 0, 0}},
        {{2, 3, 4}, {2, 3, 14}, {0, 0, 1}},
    };
    for (const auto& row : rows) {
        const Listener l = listenerFrom(glm::lookAt(row.eye, row.target, glm::vec3(0, 1, 0)), row.eye);
        EXPECT_NEAR(glm::distance(l.forward, row.forward), 0.0f, 1e-5f);
        EXPECT_NEAR(glm::distance(l.up, glm::vec3(0, 1, 0)), 0.0f, 1e-5f);
        EXPECT_EQ(l.position, row.eye);
    }
}

TEST(SoundDecisions, AFullVoicePoolGivesWayOnlyToALouderSound)
{
    const struct { std::vector<VoiceState> voices; float gain; std::optional<std::size_t> chosen; } rows[] = {
        {{{true, 0.5f, 1}, {false, 0.0f, 0}, {true, 0.1f, 2}}, 0.01f, 1},  // a free voice first
        {{{true, 0.5f, 1}, {true, 0.2f, 3}, {true, 0.2f, 2}}, 0.3f, 2},    // the quietest, oldest among equals
        {{{true, 0.5f, 1}, {true, 0.2f, 3}}, 0.2f, std::nullopt},           // not louder: dropped
        {{}, 1.0f, std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(chooseVoice(row.voices, row.gain), row.chosen) << row.gain;
}

TEST(AudioSettings, LevelsReadWithOneLineAndTheDefaultForUnusableValues)
{
    const struct { const char* text; bool enabled; float volume, effects, music; const char* lines; } rows[] = {
        {"", false, 0.8f, 1.0f, 1.0f, ""},
        {"enabled = true\nvolume = 0.5\neffects = 0\nmusic = 1", true, 0.5f, 0.0f, 1.0f, ""},
        {"volume = 1.5", false, 0.8f, 1.0f, 1.0f, "Settings: audio volume 1.5 is outside 0 to 1, using 0.8\n"},
        {"effects = -0.1\nmusic = nan", false, 0.8f, 1.0f, 1.0f,
         "Settings: audio effects -0.1 is outside 0 to 1, using 1\n"
         "Settings: audio music is not a finite number, using 1\n"},
        {"volume = inf", false, 0.8f, 1.0f, 1.0f, "Settings: audio volume is not a finite number, using 0.8\n"},
    };
    for (const auto& row : rows) {
        std::ostringstream log;
        const AudioSettings a = AudioSettings::read(IniFile::fromText(std::string("[audio]\n") + row.text), log);
        EXPECT_EQ(a.enabled, row.enabled) << row.text;
        EXPECT_EQ(std::tuple(a.volume, a.effects, a.music, log.str()),
                  std::tuple(row.volume, row.effects, row.music, std::string(row.lines)))
            << row.text;
    }
}
