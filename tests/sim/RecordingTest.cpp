// What a recording keeps and what a replay trusts: paused frames stored as a
// count, the header of the bytes the session read, level settings that travel
// through a header, and file names no two writers share.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "core/ContentHash.h"
#include "core/ExclusiveFile.h"
#include "core/IniFile.h"
#include "core/XdgPaths.h"
#include "sim/frame/GameSession.h"
#include "sim/replay/CatalogueHash.h"
#include "sim/replay/FrameCursor.h"
#include "sim/replay/FrameRecord.h"
#include "sim/replay/ReplayPlayback.h"
#include "sim/replay/ReplayStore.h"
#include "sim/replay/ReplayWriter.h"
#include "sim/run/HeadlessRun.h"
#include "sim/settings/StartupConfig.h"
#include "support/ShippedFiles.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

namespace {

std::string fileText(const fs::path& path) { return readFileBytes(path.string(), FileKind::Replay).value_or(""); }

// Level 0's win script with a pause of `pausedFrames` frames at 144 Hz after
// frame 200: P, nothing held, W held for a while, nothing, then P again.
// Written twice: frame by frame as format 1 wrote every frame, and through the
// game's writer, which gathers the paused frames.
struct PausedRun {
    std::string frameByFrame, compact;
    RunReport played;
};

PausedRun recordWithPause(int pausedFrames)
{
    HeadlessRun run(kSettings, shippedLevel(0), 0);
    PausedRun result;
    ReplayHeader oldHeader = recordingHeader(run.session());
    oldHeader.format = 1;
    result.frameByFrame = formatReplayHeader(oldHeader);
    const fs::path compactPath = freshFolder("paused") / "run.replay";
    std::ostringstream log;
    {
        ReplayWriter writer(openTruncated(compactPath), recordingHeader(run.session()), log);
        const auto play = [&](const std::vector<Key>& keys, float dt) {
            run.exactFrame(keys, dt);
            const ReplayFrame frame = run.lastFrameRecord();
            writer.append(frame);
            result.frameByFrame += formatReplayFrame({run.session().frame.deltaTime, frame.keys});
        };
        const auto keys = winScript(0).frames();
        for (size_t i = 0; i < keys.size() && !run.closed(); ++i) {
            if (i == 200) {
                play({Key::P}, 1.0f / 144.0f);
                for (int p = 0; p < pausedFrames; ++p)
                    play(p > pausedFrames / 3 && p < pausedFrames / 2 ? std::vector<Key>{Key::W} : std::vector<Key>{},
                         1.0f / 144.0f);
                play({Key::P}, 1.0f / 144.0f);
            }
            play(keys[i], HeadlessRun::kFrameTime);
        }
    }
    EXPECT_EQ(log.str(), "");
    result.compact = fileText(compactPath);
    result.played = run.report();
    return result;
}

RunReport playText(const std::string& text)
{
    const ReplayParse parsed = parseReplay(text);
    EXPECT_TRUE(parsed.replay) << parsed.error;
    return parsed.replay ? playReplayHeadless(*parsed.replay, kSettings, shippedLevel(0)) : RunReport{};
}

}  // namespace

TEST(Recording, APauseIsStoredAsCountsAndReplaysToTheSameState)
{
    const PausedRun run = recordWithPause(3000);
    ASSERT_EQ(run.played.outcome, RunOutcome::Won);
    const RunReport frameByFrame = playText(run.frameByFrame);
    const RunReport compact = playText(run.compact);
    EXPECT_EQ(summaryLine(frameByFrame), summaryLine(run.played));
    EXPECT_EQ(summaryLine(compact), summaryLine(run.played)) << "the paused frames' time never reached the game";
    EXPECT_EQ(compact.log, frameByFrame.log);
    EXPECT_NE(run.compact.find("\npaused 600\n"), std::string::npos);
}

TEST(Recording, TenHoursPausedAt144HzStayUnderAMebibyte)
{
    const fs::path path = freshFolder("long_pause") / "run.replay";
    std::ostringstream log;
    {
        ReplayHeader header;
        header.gameVersion = gameVersion();
        ReplayWriter writer(openTruncated(path), header, log);
        writer.append({1.0f / 144.0f, maskOf({Key::P})});
        for (long i = 0; i < 10L * 3600 * 144; ++i) writer.append({0.0f, 0, true, 1});
    }
    EXPECT_EQ(log.str(), "");
    EXPECT_LT(fs::file_size(path), 1u << 20);
    const ReplayParse parsed = loadReplay(path.string());
    ASSERT_TRUE(parsed.replay) << parsed.error;
    long frames = 0;
    for (const ReplayFrame& frame : parsed.replay->frames) frames += frame.repeat;
    EXPECT_EQ(frames, 10L * 3600 * 144 + 1);
}

// Paused lines never pass the reader's limit, however the frames come (one
// by one, or a practice's lines handed on), and every player walks them as the
// frames they stand for.
TEST(Recording, PausedLinesSplitAtTheLimitAndAreWalkedFrameByFrame)
{
    const KeyMask p = maskOf({Key::P});
    std::vector<ReplayFrame> lines;
    for (const ReplayFrame& frame : {ReplayFrame{1.0f / 60.0f, 0}, ReplayFrame{0.0f, p, true, 500},
                                     ReplayFrame{0.0f, p, true, 500}, ReplayFrame{0.0f, 0, true, 1}})
        appendFrame(lines, frame);
    std::vector<uint32_t> repeats;
    for (const ReplayFrame& line : lines) repeats.push_back(line.repeat);
    EXPECT_EQ(repeats, (std::vector<uint32_t>{1, kPausedRunLimit, 1000 - kPausedRunLimit, 1}));
    EXPECT_EQ(frameCount(lines), 1002u);

    FrameCursor cursor(lines);
    size_t paused = 0;
    for (; !cursor.atEnd(); paused += cursor.next().paused) {
        if (cursor.played() == 300) {
            const std::vector<ReplayFrame> cut = cursor.playedLines();
            ASSERT_EQ(cut.size(), 2u);
            EXPECT_EQ(cut.back().repeat, 299u) << "the paused line cut where the cursor is";
        }
    }
    EXPECT_EQ(cursor.played(), 1002u);
    EXPECT_EQ(paused, 1001u);
}

TEST(Recording, TheHeaderFingerprintsTheBytesTheSessionReadNotTheFileAsItIsLater)
{
    const fs::path folder = freshFolder("read_bytes");
    const std::string original = fileText(shippedLevel(2));
    const fs::path level = folder / "level2.ini";
    std::ofstream(level) << original;
    HeadlessRun run(kSettings, level.string(), 0);
    std::ofstream(level, std::ios::trunc) << original << "; edited after the session read it\n";
    const ReplayHeader header = recordingHeader(run.session());
    EXPECT_EQ(header.levelHash, fnv1a64(original));
    EXPECT_NE(replayMismatch(header, level.string(), kSettings).find("is not the level file the run was recorded on"),
              std::string::npos)
        << "the edit made after the read is caught when the run is played";
}

TEST(Recording, TheCatalogueHashFollowsTheSizesTheLevelUsesAsTheReaderReadsThem)
{
    const std::string level = "[platforms]\ntotal = 2\nplatform0type = small\nplatform1type = step\n[walls]\ntotal = 0\n";
    const std::string base = "[elements]\nplat_smallX = 4\nplat_stepX = 6\ngoalX = 6\nwall_longX = 60\n";
    const uint64_t reference = catalogueHash(IniFile::fromText(base), IniFile::fromText(level));
    struct Case {
        std::string settings;
        bool same;
    };
    const Case cases[] = {
        {base, true},
        {"[elements]\nwall_longX = 61\nplat_smallX = 4\nplat_stepX = 6\ngoalX = 6\nplat_newX = 3\n", true},
        {"[Elements]\nplat_smallX = 4.0\nplat_stepX = 6\ngoalX = 6 ; the pad\n", true},
        // The reader takes the first of two equal keys: so does the hash.
        {base + "[elements]\nplat_smallX = 5\n", true},
        {"[elements]\nplat_smallX = 5\nplat_stepX = 6\ngoalX = 6\n", false},
        {"[elements]\nplat_smallX = 4\nplat_stepX = 6\n", false},  // the goal's size falls back to 1
        {"[elements]\nplat_smallX = 4\nplat_stepX = 6\ngoalX = 6\nplat_stepY = 2\n", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(catalogueHash(IniFile::fromText(c.settings), IniFile::fromText(level)) == reference, c.same)
            << c.settings;
    EXPECT_EQ(catalogueHash(IniFile(), IniFile::fromText(level)), 0u) << "no settings read";
}

TEST(Recording, EveryLevelSettingTheGameAcceptsTravelsThroughAReplayHeader)
{
    struct Case {
        std::string setting, level;  // the level the game plays
    };
    const Case cases[] = {
        {"2", "2"}, {"2.5", "2.5"}, {"my level", "my level"}, {"x-y_z", "x-y_z"},
        {"../x", "0"}, {"a\\b", "0"},  // a folder is no level: the default, with a line
    };
    for (const Case& c : cases) {
        std::ostringstream log;
        const StartupConfig config =
            StartupConfig::read(IniFile::fromText("[general]\nlevel = " + c.setting + "\n"), log);
        EXPECT_EQ(config.level, c.level);
        EXPECT_EQ(log.str().empty(), c.setting == c.level) << log.str();
        ReplayHeader header;
        header.gameVersion = gameVersion();
        header.level = config.level;
        const ReplayParse parsed = parseReplay(formatReplayHeader(header));
        ASSERT_TRUE(parsed.replay) << c.setting << ": " << parsed.error;
        EXPECT_EQ(parsed.replay->header.level, config.level);
    }
}

TEST(RecordingFiles, TwoWritersRacingForOneNameGetTwoFiles)
{
    const fs::path folder = freshFolder("race");
    std::vector<std::string> names(8);
    std::vector<std::thread> writers;
    for (size_t w = 0; w < names.size(); ++w)
        writers.emplace_back([&, w] {
            const CreatedFile file = createTimedFile(folder, "level0-", "%Y%m%d-%H%M%S", "-", ".replay", 0);
            if (file.valid() && file.writeAll(std::to_string(w))) names[w] = file.path().string();
        });
    for (auto& writer : writers) writer.join();
    const std::set<std::string> distinct(names.begin(), names.end());
    EXPECT_EQ(distinct.size(), names.size());
    EXPECT_EQ(distinct.count(""), 0u) << "every writer got a file";
    for (size_t w = 0; w < names.size(); ++w) EXPECT_EQ(fileText(names[w]), std::to_string(w)) << names[w];
}
