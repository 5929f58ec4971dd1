// Player comforts through the game's own session, headless: pause, restart,
// best times, and the key and gamepad seam.
#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "sim/frame/GameLoop.h"
#include "sim/frame/GameSession.h"
#include "sim/frame/KeyGate.h"
#include "sim/frame/SessionStart.h"
#include "sim/records/BestTimes.h"
#include "core/ContentHash.h"
#include "sim/replay/KeyTap.h"
#include "sim/replay/ReplayFile.h"
#include "sim/run/HeadlessRun.h"
#include "sim/run/ScriptedHost.h"
#include "support/ShippedFiles.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

namespace {

const std::string kLevel1 = shippedLevel(1);

bool sameBits(const glm::vec3& a, const glm::vec3& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Plays level 1 frame by frame, each at its own deltaTime.
RunReport playFrames(const std::vector<ReplayFrame>& frames)
{
    HeadlessRun run(kSettings, kLevel1, 0);
    for (const ReplayFrame& frame : frames)
        if (!run.closed()) run.exactFrame(keysOf(frame.keys), frame.deltaTime);
    return run.report();
}

std::array<int, 2> leftovers(const GameSession& s)
{
    return {s.physics.scene->getNumCollisionObjects(), static_cast<int>(s.confetti.pieces.size())};
}

RunReport playAll(HeadlessRun& run, const std::vector<std::vector<Key>>& frames)
{
    for (const auto& keys : frames) run.exactFrame(keys, HeadlessRun::kFrameTime);
    return run.report();
}

const std::string kHashA = "00000000000000aa", kHashB = "00000000000000bb";

}  // namespace

TEST(Pause, SixHundredPausedFramesChangeNothingButTheFrameCount)
{
    const std::vector<ReplayFrame> frames = proofRun(1).frames;
    const RunReport plain = playFrames(frames);
    ASSERT_EQ(plain.outcome, RunOutcome::Won) << plain.log;
    for (size_t pauseAt : {size_t{0}, size_t{40}, frames.size() / 2}) {
        const RunReport paused = playFrames(withPause(frames, pauseAt, 599));  // P, 599 frames, P: 600 frames
        EXPECT_EQ(paused.outcome, plain.outcome) << "pause at " << pauseAt;
        EXPECT_EQ(paused.decidedFrame, plain.decidedFrame + 600) << "pause at " << pauseAt;
        EXPECT_TRUE(sameBits(paused.position, plain.position)) << "pause at " << pauseAt;
    }
}

TEST(Retry, ThreeRestartsLeaveNothingBehindAndPlayAsAFreshStart)
{
    const auto frames = winScript(1).frames();
    HeadlessRun fresh(kSettings, kLevel1, 0);
    const std::array<int, 2> atStart = leftovers(fresh.session());
    HeadlessRun run(kSettings, kLevel1, 0);
    for (int restart = 0; restart < 3; ++restart) {
        const RunReport won = playAll(run, frames);
        ASSERT_EQ(won.outcome, RunOutcome::Won);
        EXPECT_GT(leftovers(run.session())[1], 0) << "the win left confetti";
        run.restart();
    }
    EXPECT_EQ(leftovers(run.session()), atStart);
    const RunReport restarted = playAll(run, frames);
    const RunReport first = playAll(fresh, frames);
    EXPECT_EQ(restarted.stateHash, first.stateHash);
    EXPECT_EQ(restarted.decidedFrame, first.decidedFrame);
    EXPECT_EQ(restarted.log, first.log);
}

TEST(Retry, RAndNFireOnTheirPressOnlyAndAHeldKeyOnce)
{
    SessionKeys keys;
    const KeyMask r = maskOf({Key::R}), n = maskOf({Key::N});
    EXPECT_EQ(keys.afterFrame(r, false), SessionKeys::None) << "a frame that read no keys";
    EXPECT_EQ(keys.afterFrame(r, true), SessionKeys::Retry);
    EXPECT_EQ(keys.afterFrame(r, false), SessionKeys::None) << "the new level's warm-up";
    EXPECT_EQ(keys.afterFrame(r, true), SessionKeys::None) << "still held after the restart";
    EXPECT_EQ(keys.afterFrame(0, true), SessionKeys::None);
    EXPECT_EQ(keys.afterFrame(n, true), SessionKeys::Next);
}

// The platform's key source around a restart, as the game plays: window keys
// -> KeyGate -> KeyTap (what is recorded) -> the frame loop.
TEST(Retry, KeysHeldThroughARestartActOnlyOnceReleasedAndPressedAgain)
{
    StartupConfig config;
    config.loadTime = 0;
    ScriptedHost window;
    KeyGate gate(window);
    KeyTap tap(gate);
    std::ostringstream log;
    std::unique_ptr<GameSession> session = openSession(config, kSettings, kLevel1, log);
    auto loop = std::make_unique<GameLoop>(*session, tap);
    const auto frame = [&](const std::vector<Key>& held) {
        window.hold(held);
        loop->runFrameAfter(HeadlessRun::kFrameTime);
        return tap.takeFrameKeys();
    };
    frame({Key::Space});
    ASSERT_TRUE(session->input.gameStarted) << "a fresh launch reads the first frame's Space";

    // R with Space, Tab and P held: the new session must not start, flip or pause.
    loop.reset();
    session = openSession(config, kSettings, kLevel1, log);
    loop = std::make_unique<GameLoop>(*session, tap);
    window.hold({Key::Space, Key::Tab, Key::P, Key::R});  // down as the restart happens
    gate.holdBackHeldKeys();
    for (int i = 0; i < 30; ++i) EXPECT_EQ(frame({Key::Space, Key::Tab, Key::P, Key::R}), 0) << "frame " << i;
    EXPECT_FALSE(session->input.gameStarted);
    EXPECT_FALSE(session->input.paused);
    EXPECT_EQ(session->camera.followSide, 1);
    EXPECT_EQ(frame({Key::Tab}), 0) << "Space, P and R released; Tab still held from before";
    EXPECT_EQ(frame({}), 0);
    EXPECT_EQ(frame({Key::Space}), maskOf({Key::Space}));
    EXPECT_TRUE(session->input.gameStarted) << "pressed again, Space starts the level";

    // A lost focus: one frame of P, recorded as such; the game stays paused.
    gate.pressPauseOnce();
    EXPECT_EQ(frame({}), maskOf({Key::P}));
    EXPECT_TRUE(session->input.paused);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(frame({}), 0);
    EXPECT_TRUE(session->input.paused) << "paused until the player resumes";
}

TEST(BestTimes, KeepTheBestPerLevelToTheMillisecondAcrossWritersAndInterruptedWrites)
{
    const fs::path file = freshFolder("records_write") / "records.ini";
    std::ostringstream log;
    BestTimes first(file);
    ASSERT_TRUE(first.load(log)) << "a missing file is an empty record";
    EXPECT_TRUE(first.offer(kHashA, 30.0f, log));
    EXPECT_FALSE(first.offer(kHashA, 31.0f, log)) << "slower is no record";
    EXPECT_TRUE(first.offer(kHashA, 10.0004f, log));
    EXPECT_FALSE(first.offer(kHashA, 9.9996f, log)) << "kept to the millisecond both are 10.000";
    EXPECT_TRUE(first.offer(kHashA, 9.9994f, log));
    // A writer killed between its temporary file and the rename leaves the file whole.
    std::ofstream(file.string() + ".tmp999-0") << "[best]\n" << kHashA << " = 1";
    // Two games writing other levels at once never lose the records already there.
    std::vector<std::thread> writers;
    for (int w = 0; w < 2; ++w)
        writers.emplace_back([&, w] {
            std::ostringstream quiet;
            BestTimes times(file);
            for (int i = 0; i < 50; ++i) times.offer(hashText(0x100u + static_cast<unsigned>(w)), 100.0f - i, quiet);
        });
    for (auto& writer : writers) writer.join();
    BestTimes reread(file);
    ASSERT_TRUE(reread.load(log)) << log.str();
    EXPECT_EQ(reread.best(kHashA), 9.999f);
    EXPECT_EQ(reread.best(hashText(0x100u)), 51.0f);
    EXPECT_EQ(reread.best(hashText(0x101u)), 51.0f);
    EXPECT_EQ(log.str(), "");

    // A folder that cannot be made (its parent is a file): no new best, one line.
    const fs::path blocked = freshFolder("records_blocked") / "plain-file";
    std::ofstream(blocked) << "not a folder";
    BestTimes unsaved(blocked / "records.ini");
    ASSERT_TRUE(unsaved.load(log));
    EXPECT_FALSE(unsaved.offer(kHashA, 5.0f, log)) << "a record that was not kept is no new best";
    const std::string lines = log.str();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1) << lines;
    EXPECT_EQ(lines.rfind("Best times: cannot write ", 0), 0u) << lines;
    EXPECT_EQ(readFileBytes(blocked.string(), FileKind::Ini), "not a folder");
}

TEST(BestTimes, ACorruptFileIsReportedOnceAndLeftUntouched)
{
    const fs::path file = freshFolder("records_corrupt") / "records.ini";
    for (const std::string bytes : {"[best]\nnot a record\n", "[best]\n00000000000000aa = fast\n", "garbage = 1\n"}) {
        std::ofstream(file, std::ios::trunc) << bytes;
        std::ostringstream log;
        BestTimes times(file);
        EXPECT_FALSE(times.load(log));
        EXPECT_FALSE(times.offer(kHashB, 1.0f, log));
        const std::string lines = log.str();
        EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1) << lines;
        EXPECT_EQ(readFileBytes(file.string(), FileKind::Ini), bytes);
    }
    // How an XDG folder falls back to $HOME is ReplayStore's test.
    EXPECT_EQ(BestTimes::defaultPath("/data", "/home/p"), fs::path("/data/vaultrise/records.ini"));
}
