// The frame's events: what happened in each frame, listed by the simulation for
// whatever reacts outside it (particles, sound, menus). A proof run lists the
// same events on the same frames whether it is replayed as in the window or
// without one, and the events agree with what the simulation did.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "sim/frame/FrameClock.h"
#include "sim/frame/FrameDriver.h"
#include "sim/frame/GameSession.h"
#include "sim/frame/RunFlow.h"
#include "sim/replay/ReplayHost.h"
#include "sim/proof/ProofRun.h"
#include "sim/replay/ReplayPlayback.h"
#include "sim/run/HeadlessRun.h"
#include "support/ShippedFiles.h"
#include "support/TestWorld.h"

namespace {

struct Seen {
    int frame;
    FrameEvent event;
};

bool operator==(const Seen& a, const Seen& b)
{
    return a.frame == b.frame && a.event.kind == b.event.kind && a.event.speed == b.event.speed &&
           a.event.position == b.event.position;
}

std::ostream& operator<<(std::ostream& out, const Seen& s)
{
    return out << "frame " << s.frame << " kind " << static_cast<int>(s.event.kind) << " speed " << s.event.speed;
}

int count(const std::vector<Seen>& seen, FrameEventKind kind)
{
    return static_cast<int>(std::count_if(seen.begin(), seen.end(), [&](const Seen& s) { return s.event.kind == kind; }));
}

// What a run without a window lists, and how many jumps the character's own
// lockouts show (a jump is the only thing that raises them).
struct Headless {
    std::vector<Seen> seen;
    int jumps = 0;
    int secondJumps = 0;
};

Headless playHeadless(const Replay& replay, int level)
{
    Headless h;
    HeadlessRun run(kSettings, shippedLevel(level), replay.header.settings);
    for (const ReplayFrame& frame : replay.frames) {
        if (run.closed()) break;
        EXPECT_FALSE(frame.paused) << "the proof runs never pause";
        const Character& c = run.session().character;
        const float cooldown = c.jumpCooldown, secondCooldown = c.secondJumpCooldown;
        run.exactFrame(keysOf(frame.keys), frame.deltaTime);
        // A lockout only grows when a jump sets it (running out, it may step from below 0 to 0).
        h.jumps += c.jumpCooldown > cooldown && c.jumpCooldown > 0.0f;
        h.secondJumps += c.secondJumpCooldown > secondCooldown && c.secondJumpCooldown > 0.0f;
        for (const FrameEvent& e : run.view().events) h.seen.push_back({run.frames(), e});
    }
    return h;
}

// As the window plays a replay (platform/PlayLoop's playReplay): the recorded
// keys through the replay's host over a window (here a scripted one), each
// frame lasting its recorded deltaTime, on a run flow with no session of its own.
std::vector<Seen> playWindowedReplayEvents(const Replay& replay, int level)
{
    std::ostringstream log;
    IniFile settings(kSettings, log);
    StartupConfig config = StartupConfig::read(settings, log);
    replay.header.settings.applyTo(config);
    RunFlow flow(std::make_unique<GameSession>(config, std::move(settings), openLevelFile(shippedLevel(level), log), log),
                 RunRules{}, log);
    ScriptedHost window;
    ReplayHost keys(window);
    ScriptClock clock;
    FrameDriver driver(flow, keys, clock);
    std::vector<Seen> seen;
    int frame = 0;
    for (const ReplayFrame& recorded : replay.frames) {
        if (window.closing) break;
        keys.setFrameKeys(recorded.keys);
        clock.lastExactly(recorded.deltaTime);
        ++frame;
        for (const FrameEvent& e : driver.frame().events) seen.push_back({frame, e});
    }
    return seen;
}

}  // namespace

class ProofRunEvents : public testing::TestWithParam<int> {};

TEST_P(ProofRunEvents, TheWindowedReplayListsTheHeadlessEventsOnTheSameFramesAndEveryJumpMade)
{
    const Replay replay = proofRun(GetParam());
    const std::vector<Seen> windowed = playWindowedReplayEvents(replay, GetParam());
    const Headless headless = playHeadless(replay, GetParam());
    EXPECT_EQ(windowed, headless.seen);

    // A proof run warms up, starts, jumps and lands, and ends in one win with one throw of confetti.
    const std::vector<Seen>& seen = headless.seen;
    EXPECT_EQ(count(seen, FrameEventKind::WarmUpEnded), 1);
    EXPECT_EQ(count(seen, FrameEventKind::LevelStarted), 1);
    EXPECT_EQ(count(seen, FrameEventKind::GoalReached), 1);
    EXPECT_EQ(count(seen, FrameEventKind::ConfettiThrown), 1);
    EXPECT_EQ(count(seen, FrameEventKind::VoidReached), 0);
    EXPECT_GT(count(seen, FrameEventKind::Landing), 0);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().event.kind, FrameEventKind::ConfettiThrown) << "the winning frame ends the run";
    EXPECT_EQ(seen.back().frame, static_cast<int>(replay.frames.size()));

    // Each jump the character made is one jump event, so each starts one burst.
    const int first = count(seen, FrameEventKind::FirstJump), second = count(seen, FrameEventKind::SecondJump);
    EXPECT_GT(first, 0);
    EXPECT_EQ(first + second, headless.jumps);
    EXPECT_EQ(second, headless.secondJumps);
}

INSTANTIATE_TEST_SUITE_P(ShippedLevels, ProofRunEvents, testing::Range(0, 5));
