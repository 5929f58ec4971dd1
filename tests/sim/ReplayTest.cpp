// Replays: a run recorded through the game's own frame loop (fake clock,
// scripted keys) plays back to the same outcome, frame and state; a file cut
// inside a frame plays to its last whole frame; broken files get a clear line;
// a changed level, catalogue or simulation is refused unless forced; recording failures
// cost one line; the replay folder keeps the newest runs.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <sstream>

#include "sim/frame/GameSession.h"
#include "core/ContentHash.h"
#include "sim/run/HeadlessRun.h"
#include "sim/replay/ReplayPlayback.h"
#include "sim/replay/ReplayStore.h"
#include "sim/replay/ReplayWriter.h"
#include "sim/settings/StartupConfig.h"
#include "support/ShippedFiles.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

namespace {

std::string text(const fs::path& path) { return readFileBytes(path.string(), FileKind::Replay).value_or(""); }
std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    return text.replace(text.find(from), from.size(), to);
}

struct Recording {
    std::string path;
    RunReport report;
    std::vector<uint64_t> hashes;  // the state after every frame
};

// Plays a level's win script on a fake clock and records it as the game does.
Recording record(int level, int frames, int loadTime, const std::function<float(int)>& frameTime)
{
    Recording r{(freshFolder("record") / "run.replay").string(), {}, {}};
    HeadlessRun run(kSettings, shippedLevel(level), loadTime);
    std::ostringstream log;
    ReplayWriter writer(openTruncated(r.path), recordingHeader(run.session()), log);
    const auto keys = winScript(level).frames();
    for (int i = 0; i < frames && !run.closed(); ++i) {
        run.frame(i < static_cast<int>(keys.size()) ? keys[static_cast<size_t>(i)] : std::vector<Key>{}, frameTime(i));
        writer.append(run.lastFrameRecord());
        r.hashes.push_back(simulationStateHash(run.session()));
    }
    EXPECT_EQ(log.str(), "");
    r.report = run.report();
    return r;
}

RunReport replay(const std::string& path, int level)
{
    const ReplayParse parsed = loadReplay(path);
    EXPECT_TRUE(parsed.replay) << parsed.error;
    return parsed.replay ? playReplayHeadless(*parsed.replay, kSettings, shippedLevel(level)) : RunReport{};
}

}  // namespace

TEST(Replay, ARecordedRunPlaysBackToTheSameOutcomeFrameAndStateEveryTime)
{
    struct Case {
        int level, frames, loadTime;
        std::function<float(int)> frameTime;
        RunOutcome outcome;
    };
    const Case cases[] = {
        {0, 2000, 0, [](int) { return 1.0f / 60.0f; }, RunOutcome::Won},
        // A long first frame (start-up), a warm-up, then an uneven clock: every deltaTime must come back exactly.
        {1, 3000, 30, [](int i) { return i == 0 ? 1.7f : (1.0f + 0.4f * std::sin(i * 0.7f)) / 60.0f; },
         RunOutcome::Lost},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level));
        const Recording recorded = record(c.level, c.frames, c.loadTime, c.frameTime);
        EXPECT_EQ(recorded.report.outcome, c.outcome);
        for (int pass = 0; pass < 2; ++pass) {
            const RunReport again = replay(recorded.path, c.level);
            EXPECT_EQ(summaryLine(again), summaryLine(recorded.report));
            EXPECT_EQ(again.frames, recorded.report.frames);
            EXPECT_EQ(again.log, recorded.report.log) << "the same console lines";
        }
    }
}

TEST(Replay, AFileCutInsideAFramePlaysToTheLastWholeFrameAndIsUnfinished)
{
    const Recording recorded = record(0, 2000, 0, [](int) { return 1.0f / 60.0f; });
    const std::string bytes = text(recorded.path);
    const size_t framesStart = bytes.find("frames\n") + 7;
    std::mt19937 random(12);
    for (int cut = 0; cut < 4; ++cut) {
        size_t at = std::uniform_int_distribution<size_t>(framesStart + 1, bytes.size() - 2)(random);
        if (bytes[at - 1] == '\n') ++at;  // inside a frame's line, not between two
        const ReplayParse parsed = parseReplay(std::string_view(bytes).substr(0, at));
        ASSERT_TRUE(parsed.replay) << parsed.error;
        const int whole = static_cast<int>(
            std::count(bytes.begin() + static_cast<long>(framesStart), bytes.begin() + static_cast<long>(at), '\n'));
        EXPECT_TRUE(parsed.replay->cutShort);
        ASSERT_EQ(static_cast<int>(parsed.replay->frames.size()), whole);
        const RunReport report = playReplayHeadless(*parsed.replay, kSettings, shippedLevel(0));
        EXPECT_EQ(summaryLine(report), "unfinished frame " + std::to_string(whole) + " state " +
                                           hashText(recorded.hashes[static_cast<size_t>(whole) - 1]));
    }
}

TEST(Replay, BrokenFilesGetAClearLineAndNeverAFrame)
{
    ReplayHeader header;
    header.gameVersion = "0.9.0";
    const std::string good = formatReplayHeader(header) + "0x1.111112p-6 W Space\n0x1p-6\n";
    ASSERT_EQ(parseReplay(good).replay.value_or(Replay{}).frames.size(), 2u) << parseReplay(good).error;
    // Arbitrary bytes (a replay or an error, never both, never a read out of
    // bounds) are the fuzz target's work: tests/fuzz/fuzz_replay.cpp.
    const std::string head = formatReplayHeader(header);
    const std::pair<std::string, std::string> cases[] = {
        {"", "empty file, not a vaultrise replay"},
        {"\x89PNG\r\n\x1a\n", "not a vaultrise replay"},
        {"vaultrise replay x\n", "not a vaultrise replay (unreadable format version)"},
        {"vaultrise replay 3\ngame 9\n",
         "format 3 is newer than this vaultrise reads (2); play it with a newer vaultrise"},
        {head.substr(0, 40), "cut short inside its header, before the first frame"},
        {"vaultrise replay 1\ngame 0.9.0\nlevel 0\nlevelFile xyz level0.ini\n",
         "line 4: expected 'levelFile <16 hex digits> <name>'"},
        {"vaultrise replay 1\ngame 0.9.0\nlevel 0\n", "cut short inside its header, before the first frame"},
        {"vaultrise replay 1\ngame 0.9.0\nlevel ../../x\n", "line 3: expected 'level <setting>' (no '/' or '\\')"},
        {"vaultrise replay 2\ngame 0.9.0\nlevel 0\n", "line 3: expected 'simulation <number>'"},
        {"vaultrise replay 1\ngame 0.9.0\nlevel 0\nlevelFile 0123456789abcdef level0.ini\nelements 0123456789abcdef\n"
         "loadTime 0\ndebug false\nuseGameCamera true\nframes\npaused 2\n",
         "line 10: expected a frame: '<deltaTime as hex float> [keys]'"},
        {head + "paused 0 P\n", "line 11: expected 'paused <1 to 600> [keys]'"},
        {head + "paused 601\n", "line 11: expected 'paused <1 to 600> [keys]'"},
        {head + "paused 3 Q\n", "line 11: unknown key Q"},
        {"vaultrise replay 1\ngame 0.9.\r0\n", "line 2: expected 'game <version>'"},
        {head + "0x1p-6 W\nnan W\n", "line 12: expected a frame: '<deltaTime as hex float> [keys]'"},
        {head + "-0x1p-6\n", "line 11: expected a frame: '<deltaTime as hex float> [keys]'"},
        {head + "0x1p-6  W\n", "line 11: expected a frame: '<deltaTime as hex float> [keys]'"},
        {head + "0x1p-6 W Q\n", "line 11: unknown key Q"},
    };
    for (const auto& [bytes, error] : cases) {
        const ReplayParse parsed = parseReplay(bytes);
        EXPECT_FALSE(parsed.replay) << bytes;
        EXPECT_EQ(parsed.error, error);
    }
    EXPECT_EQ(loadReplay("/nonexistent.replay").error,
              "replay /nonexistent.replay: cannot read the file (missing or unreadable)");
}

TEST(Replay, ARunOnAChangedLevelCatalogueOrSimulationIsRefusedUnlessForced)
{
    // A game folder with the shipped level 1, its proof run and the shipped catalogue.
    const fs::path game = freshFolder("changed");
    fs::create_directories(game / "settings");
    const std::string shippedSettings = text(kSettings);
    const std::string level1 = text(shippedLevel(1));
    const std::string run = text(kRoot + "/assets/settings/level1.replay");
    struct Case {
        std::string settings, level, refusal;
        int simulation = kSimulationVersion;  // the one the run names
    };
    const auto setUp = [&](const Case& c) {
        std::ofstream(game / "settings.ini") << replaced(c.settings, "assetPath = assets", "assetPath = " + game.string());
        std::ofstream(game / "settings" / "level1.ini") << c.level;
        const std::string simulation = "\nsimulation " + std::to_string(kSimulationVersion) + "\n";
        std::ofstream(game / "run.replay") << replaced(run, simulation, "\nsimulation " + std::to_string(c.simulation) + "\n");
    };
    const auto otherSimulation = [](int n) {
        return "it was recorded with simulation " + std::to_string(n) + " (game 0.9.0), this vaultrise runs simulation " +
               std::to_string(kSimulationVersion);
    };
    const Case cases[] = {
        {shippedSettings + "; a comment\n", level1, ""},
        // A type no platform of level 1 uses, and a used size written another way.
        {replaced(shippedSettings, "[elements]", "[elements]\nplat_hugeX = 90\nplat_hugeY = 1\nplat_hugeZ = 90"), level1,
         ""},
        {replaced(shippedSettings, "plat_stepX = 6", "plat_stepX = 6.0"), level1, ""},
        {shippedSettings, replaced(level1, "platform0x = -40", "platform0x = -38"),
         "settings/level1.ini is not the level file the run was recorded on"},
        {replaced(shippedSettings, "plat_stepX = 6", "plat_stepX = 7"), level1,
         "the [elements] catalogue in " + (game / "settings.ini").string() + " has changed"},
        {shippedSettings, level1, otherSimulation(1), 1},
        {shippedSettings, level1, otherSimulation(kSimulationVersion + 1), kSimulationVersion + 1},
    };
    for (const Case& c : cases) {
        setUp(c);
        for (const bool force : {false, true}) {
            SCOPED_TRACE(c.refusal + (force ? " (forced)" : ""));
            StartupConfig config;
            config.assetPath = game.string();
            std::ostringstream err;
            const auto replay =
                openReplay((game / "run.replay").string(), (game / "settings.ini").string(), config, force, err);
            EXPECT_EQ(config.levelFilePath(), (game / "settings" / "level1.ini").string()) << "the recorded level";
            if (c.refusal.empty()) {
                EXPECT_EQ(err.str(), "") << "a comment in the catalogue changes nothing";
            } else {
                EXPECT_NE(err.str().find(c.refusal), std::string::npos) << err.str();
            }
            if (!c.refusal.empty() && !force) {
                EXPECT_FALSE(replay);
                EXPECT_NE(err.str().find("refused"), std::string::npos);
                continue;
            }
            ASSERT_TRUE(replay);
            const RunReport report =
                playReplayHeadless(*replay, (game / "settings.ini").string(), config.levelFilePath());
            EXPECT_GT(report.frames, 0);
            if (c.refusal.empty()) {
                EXPECT_EQ(summaryLine(report).substr(0, 15), "won frame 1253 ");
            }
        }
    }
}

TEST(ReplayWriter, AFileThatCannotBeWrittenCostsOneLineAndRecordingStops)
{
    std::ostringstream log;
    ReplayWriter writer(openTruncated("/dev/full"), ReplayHeader{}, log);
    for (int i = 0; i < 3; ++i) writer.append({1.0f / 60.0f, 0});
    EXPECT_FALSE(writer.recording());
    EXPECT_EQ(log.str(), "Recording off: cannot write /dev/full (No space left on device)\n");
    std::ostringstream quiet;
    ReplayWriter unopened(openTruncated("/nonexistent/run.replay"), ReplayHeader{}, quiet);
    EXPECT_FALSE(unopened.recording()) << "the caller says why it has no file";
}

TEST(ReplayStore, RunsGoToTheXdgStateFolderAndOnlyTheNewestAreKept)
{
    EXPECT_EQ(defaultReplayFolder("/state", "/home/p"), fs::path("/state/vaultrise/replays"));
    EXPECT_EQ(defaultReplayFolder("relative", "/home/p"), fs::path("/home/p/.local/state/vaultrise/replays"));
    EXPECT_EQ(defaultReplayFolder(nullptr, "/home/p"), fs::path("/home/p/.local/state/vaultrise/replays"));
    EXPECT_FALSE(defaultReplayFolder(nullptr, nullptr));

    const fs::path folder = freshFolder("store") / "vaultrise" / "replays";
    fs::create_directories(folder);
    const auto now = fs::file_time_type::clock::now();
    for (int i = 0; i < 25; ++i) {
        const fs::path old = folder / ("level0-" + std::to_string(i) + ".replay");
        std::ofstream(old) << i;
        fs::last_write_time(old, now - std::chrono::minutes(100 - i));
    }
    std::ofstream(folder / "notes.txt") << "kept";
    std::string error;
    const CreatedFile next = nextRunFile(folder, "3", 0, 20, error);
    ASSERT_TRUE(next.valid()) << error;
    EXPECT_EQ(next.path().parent_path(), folder);
    EXPECT_EQ(next.path().filename().string().substr(0, 15), "level3-19700101") << next.path();
    EXPECT_TRUE(fs::exists(next.path())) << "made at once, so no other game takes the name";
    int left = 0;
    for (const auto& entry : fs::directory_iterator(folder)) left += entry.path().extension() == ".replay";
    EXPECT_EQ(left, 20) << "19 old runs and the new one";
    EXPECT_TRUE(fs::exists(folder / "level0-24.replay") && !fs::exists(folder / "level0-5.replay"));
    EXPECT_TRUE(fs::exists(folder / "notes.txt"));
    EXPECT_FALSE(nextRunFile("/dev/null/replays", "3", 0, 20, error).valid());
    EXPECT_NE(error.find("cannot make /dev/null/replays"), std::string::npos);
}
