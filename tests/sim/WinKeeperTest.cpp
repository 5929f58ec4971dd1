// What a won run leaves behind: the record, the best run's replay and the
// medal derived from the proof run when shown. (RunFlowTest plays a level
// without a proof run through the run flow.)
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/ContentHash.h"
#include "sim/frame/GameSession.h"
#include "sim/records/WinKeeper.h"
#include "sim/replay/ReplayPlayback.h"
#include "sim/run/HeadlessRun.h"
#include "support/ShippedFiles.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

TEST(WinKeeper, AWinKeepsItsTimeAndReplayAndShowsItsMedalAndABestRunThatCannotBeWrittenCostsOneLine)
{
    const struct {
        int level;
        bool blocked;  // a file where the best runs' folder should be
        std::string lines;
    } cases[] = {{0, false, " s NEW BEST\nMedal: author\n"}, {4, true, "Best run: cannot write "}};
    for (const auto& c : cases) {
        const fs::path data = freshFolder("win_keeper");
        if (c.blocked) std::ofstream(data / "best") << "not a folder";
        const std::string proofPath = kRoot + "/assets/settings/level" + std::to_string(c.level) + ".replay";
        const Replay proof = loadReplay(proofPath).replay.value();
        HeadlessRun run(kSettings, shippedLevel(c.level), proof.header.settings);
        run.session().config.level = std::to_string(c.level);
        run.session().config.assetPath = kRoot + "/assets";
        for (const ReplayFrame& f : proof.frames)
            if (!run.closed()) run.exactFrame(keysOf(f.keys), f.deltaTime);
        std::ostringstream log;
        WinKeeper keeper(data / "records.ini", data / "best", kSettings);
        EXPECT_TRUE(keeper.keep(run.session(), &proof, !c.blocked, log));
        const std::string lines = log.str();
        EXPECT_NE(lines.find(c.lines), std::string::npos) << lines;
        EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), c.blocked ? 1 : 2) << lines;
        EXPECT_TRUE(fs::exists(data / "records.ini")) << "the time is kept whatever becomes of the replay";
        if (c.blocked) continue;
        EXPECT_EQ(readFileBytes((data / "best" / "level0.replay").string(), FileKind::Replay),
                  readFileBytes(proofPath, FileKind::Replay));
        EXPECT_EQ(run.session().hud.notes.back(), "MEDAL AUTHOR");
    }
}
