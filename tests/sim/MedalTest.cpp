// Medals: the thresholds at and around each boundary, times compared at the
// precision records keep, and levels whose proof run is missing, stale or
// losing have no medals at all.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/ContentHash.h"
#include "sim/proof/ProofRun.h"
#include "sim/records/Medals.h"
#include "support/ShippedFiles.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

TEST(Medals, EachMedalEndsExactlyAtItsMultipleOfTheAuthorTime)
{
    const float none = std::nanf("");
    const struct {
        float author, seconds;
        Medal medal;
    } cases[] = {
        {20.0f, 0.0f, Medal::Author}, {20.0f, 20.0f, Medal::Author}, {20.0f, 20.001f, Medal::Gold},
        {20.0f, 22.0f, Medal::Gold}, {20.0f, 22.001f, Medal::Silver}, {20.0f, 26.0f, Medal::Silver},
        {20.0f, 26.001f, Medal::Bronze}, {20.0f, 32.0f, Medal::Bronze}, {20.0f, 32.001f, Medal::None},
        // A time read back from records.ini ("%.3f") earns what the run earned.
        {20.0f, 20.0004f, Medal::Author}, {20.0f, 20.0006f, Medal::Gold},
        // An author time off the millisecond grid: gold ends at 1.1 x 13.3337 = 14.66707 -> 14.667.
        {13.3337f, 13.334f, Medal::Author}, {13.3337f, 13.335f, Medal::Gold}, {13.3337f, 14.667f, Medal::Gold},
        {13.3337f, 14.668f, Medal::Silver},
        // No author time (a level without a proof run), or a time that is no number, earns nothing.
        {none, 1.0f, Medal::None}, {20.0f, none, Medal::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(medalName(medalFor(c.seconds, std::isnan(c.author) ? std::nullopt : std::optional(c.author))),
                  std::string(medalName(c.medal)))
            << c.seconds << " s against an author time of " << c.author << " s";
}

TEST(Medals, EveryShippedLevelHasTheAuthorTimeItsProofRunWinsWithAndTheCheckerPrintsItsMedals)
{
    for (int n = 0; n < 5; ++n) {
        const auto author = authorTime(shippedLevel(n), kSettings);
        ASSERT_TRUE(author) << "level " << n;
        EXPECT_EQ(levelMedal(shippedLevel(n), kSettings, *author * 1.05f), Medal::Gold);
    }
    std::ostringstream out;
    checkLevel(shippedLevel(0), kSettings, out);
    EXPECT_NE(out.str().find("\nmedals: author 17.250 s, gold 18.975 s, silver 22.425 s, bronze 27.600 s\n"),
              std::string::npos) << out.str();
}

TEST(Medals, ALevelWithoutAWinningProofRunForItsCurrentFileHasNoMedals)
{
    const fs::path folder = freshFolder("medals");
    const std::string level = (folder / "level0.ini").string(), proof = (folder / "level0.replay").string();
    fs::copy_file(shippedLevel(0), level);
    EXPECT_FALSE(authorTime(level, kSettings)) << "no proof run next to the level";
    fs::copy_file(kRoot + "/assets/settings/level0.replay", proof);
    EXPECT_TRUE(authorTime(level, kSettings)) << "the proof run, copied along";
    std::ofstream(level, std::ios::app) << "\n; an edit after the proof was recorded\n";
    EXPECT_FALSE(authorTime(level, kSettings)) << "a proof recorded on another version of the level";
    fs::copy_file(shippedLevel(0), level, fs::copy_options::overwrite_existing);
    std::string bytes = readFileBytes(proof, FileKind::Replay).value_or("");
    bytes.resize(bytes.find("frames\n") + 7 + 200 * 15);
    std::ofstream(proof, std::ios::trunc) << bytes.substr(0, bytes.rfind('\n') + 1);
    EXPECT_FALSE(authorTime(level, kSettings)) << "a proof that ends before its win";
}
