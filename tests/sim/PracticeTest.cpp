// Practice from any moment of a replay, through the game's run flow and frame
// driver: stepping back and forth lands on the recorded run's states; after a
// take-over the player's frames are recorded behind the original's, that
// recording replays to the state the practice reached, and a practice win
// keeps no record.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/ContentHash.h"
#include "core/IniFile.h"
#include "sim/frame/FrameDriver.h"
#include "sim/frame/GameSession.h"
#include "sim/frame/RunFlow.h"
#include "sim/frame/SessionStart.h"
#include "sim/practice/ReplayPractice.h"
#include "sim/replay/ReplayPlayback.h"
#include "sim/run/HeadlessRun.h"
#include "sim/run/ScriptedHost.h"
#include "support/ShippedFiles.h"
#include "support/TempFiles.h"

namespace {

const std::string kProofPath = kRoot + "/assets/settings/level0.replay";

// Level 0's proof run in a windowed replay's run flow, with rules that would
// keep records were it not practice.
struct Practice {
    Practice()
    {
        StartupConfig config = StartupConfig::read(IniFile(kSettings, log), log);
        config.level = "0";
        original.header.settings.applyTo(config);
        RunRules rules;
        rules.keepsBestTimes = true;
        rules.recordsPath = records;
        rules.openSession = [this](const StartupConfig& c) { return openSession(c, kSettings, shippedLevel(0), log); };
        flow = std::make_unique<RunFlow>(rules.openSession(config), std::move(rules), log);
        driver = std::make_unique<FrameDriver>(*flow, host, clock);
        practice = std::make_unique<ReplayPractice>(original, *flow, *driver, host, clock);
    }
    uint64_t hash() const { return simulationStateHash(flow->session()); }
    // Live frames with these keys held, a 60th of a second apart on the window's
    // clock, until the game is decided (a replay of them ends there).
    void play(int frames, const std::function<std::vector<Key>(int)>& keys)
    {
        for (int i = 0; i < frames && flow->session().gameManager.gameState == Playing; ++i) {
            window.hold(keys(i));
            now += 1.0f / 60.0f;
            practice->playLiveFrame();
        }
    }

    std::ostringstream log;
    std::filesystem::path records = freshFolder("practice") / "records.ini";
    Replay original = loadReplay(kProofPath).replay.value();
    ScriptedHost window;
    PracticeHost host{window};
    float now = 0.0f;
    PracticeClock clock{[this] { return now; }};
    std::unique_ptr<RunFlow> flow;
    std::unique_ptr<FrameDriver> driver;
    std::unique_ptr<ReplayPractice> practice;
};

// The state after the first `frames` frames of level 0's proof run, played straight.
uint64_t straightHash(size_t frames)
{
    const Replay proof = loadReplay(kProofPath).replay.value();
    HeadlessRun run(kSettings, shippedLevel(0), proof.header.settings);
    for (size_t i = 0; i < frames; ++i) run.exactFrame(keysOf(proof.frames[i].keys), proof.frames[i].deltaTime);
    return simulationStateHash(run.session());
}

}  // namespace

TEST(Practice, SteppingBackAndForthLandsOnTheRecordedRunsStates)
{
    Practice p;
    for (size_t frame : {300u, 299u, 240u, 1u, 300u}) {
        p.practice->seek(frame);
        EXPECT_EQ(p.practice->framesPlayed(), frame);
        EXPECT_EQ(p.hash(), straightHash(frame)) << "at frame " << frame;
    }
    p.practice->seek(1u << 30);
    EXPECT_EQ(p.practice->framesPlayed(), p.original.frames.size()) << "the end of the recording at most";
    EXPECT_FALSE(p.practice->playRecordedFrame());
}

// That the practice run starts with the original's frames byte for byte is
// checked on the recorded file in e2e/test_replay.sh.
TEST(Practice, ARunTakenOverReplaysToThePracticesState)
{
    Practice p;
    p.practice->seek(500);
    const uint64_t atTakeOver = p.hash();
    p.practice->takeOver();
    EXPECT_TRUE(p.flow->session().hud.practice);
    EXPECT_FALSE(p.practice->playRecordedFrame()) << "the recording no longer plays";
    p.practice->seek(10);
    EXPECT_EQ(p.hash(), atTakeOver) << "nor steps";
    // The player goes another way.
    p.play(400, [](int i) { return i % 90 < 45 ? std::vector<Key>{Key::A, Key::W} : std::vector<Key>{Key::Space}; });
    std::string text = formatReplayHeader(p.practice->recording().header);
    for (const ReplayFrame& f : p.practice->recording().frames) text += formatReplayFrame(f);
    const RunReport replayed = playReplayHeadless(parseReplay(text).replay.value(), kSettings, shippedLevel(0));
    EXPECT_EQ(replayed.stateHash, p.hash());
    EXPECT_EQ(replayed.frames, static_cast<int>(p.practice->framesPlayed()));
    EXPECT_GT(replayed.frames, 600);
    EXPECT_NE(replayed.stateHash, straightHash(replayed.frames)) << "the practice went its own way";
}

TEST(Practice, APracticeWinIsShownAsPracticeAndKeepsNoRecord)
{
    Practice p;
    const size_t takeOverAt = p.original.frames.size() - 8;
    p.practice->seek(takeOverAt);
    p.practice->takeOver();
    p.play(60, [&](int i) { return keysOf(p.original.frames[std::min(takeOverAt + i, takeOverAt + 7)].keys); });
    EXPECT_EQ(p.flow->session().gameManager.gameState, Won);
    EXPECT_NE(p.log.str().find(" s (practice: no record, no medal)\n"), std::string::npos) << p.log.str();
    EXPECT_FALSE(std::filesystem::exists(p.records));
    EXPECT_FALSE(p.window.closing) << "the shipped settings keep a decided game open";
}
