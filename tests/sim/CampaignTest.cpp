// The campaign: the order N follows, the unlock rules, the shipped campaign
// file against the shipped levels, and the variety the levels' proof runs
// show (the curve is the table in docs/levels.md, kept current by level_table).
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <map>
#include <set>

#include "core/IniFile.h"
#include "sim/campaign/Campaign.h"
#include "sim/campaign/Unlocks.h"
#include "sim/proof/ProofRunMeasure.h"
#include "support/ShippedFiles.h"

namespace {

const Campaign kSets = readCampaign(IniFile::fromText(
    "[campaign]\nsets = 3\n[set1]\nlevels = 0 5 6\n[set2]\nlevels = 2  7\n[set3]\nlevels = 9\n"));

std::function<bool(const std::string&)> among(std::set<std::string> levels)
{
    return [levels](const std::string& level) { return levels.count(level) > 0; };
}

TEST(Campaign, NextLevelFollowsTheCampaignThenNumericOrderAndUnlocksFollowWinsThenBronze)
{
    const auto all = among({"0", "1", "2", "3", "5", "6", "7", "9"});
    const std::tuple<std::string, std::function<bool(const std::string&)>, std::string> next[] = {
        {"0", all, "5"},  {"6", all, "2"},  {"9", all, "0"},  // across a set, wrapping
        {"5", among({"0", "5", "2"}), "2"},          // a listed level without a file is passed over
        {"1", all, "2"},  {"3", all, "5"},  // outside the campaign: numeric order
        {"7", among({"7"}), "7"},                    // nothing else exists
    };
    for (const auto& [level, exists, after] : next) EXPECT_EQ(campaignNext(kSets, level, exists), after) << level;

    const std::tuple<std::string, std::set<std::string>, std::set<std::string>, bool, bool> unlocks[] = {
        // level, won, at least bronze, unlockAll, open
        {"0", {}, {}, false, true},         {"5", {}, {}, false, false},  {"5", {"0"}, {}, false, true},
        {"6", {"0"}, {"0"}, false, false},  {"6", {"5"}, {}, false, true},
        {"2", {"0", "5", "6"}, {"0", "5"}, false, false},  // a set opens on bronze, not on wins
        {"2", {}, {"0", "5", "6"}, false, true},  {"7", {}, {"0", "5", "6"}, false, false},
        {"9", {}, {"2", "7"}, false, true},  // only the set just before counts
        {"4", {}, {}, false, true},          // outside the campaign: always open
        {"9", {}, {}, true, true},
    };
    for (const auto& [level, won, bronze, unlockAll, open] : unlocks)
        EXPECT_EQ(levelUnlocked(kSets, level, among(won), among(bronze), unlockAll), open) << level;
}

TEST(ShippedCampaign, ListsEveryLevelOnceInNamedSetsAndItsProofRunsShowTheVarietyItPromises)
{
    const Campaign campaign = readCampaign(IniFile(kRoot + "/assets/settings/campaign.ini", std::cout));
    std::map<std::string, int> listed;
    for (const std::string& level : campaign.order()) ++listed[level];
    std::set<std::string> found;
    for (int n : shippedLevelNumbers()) {
        SCOPED_TRACE("level" + std::to_string(n));
        EXPECT_EQ(listed[std::to_string(n)], 1) << "must be listed exactly once";
        listed.erase(std::to_string(n));
        const IniFile level(shippedLevel(n), std::cout);
        const Replay proof = proofRun(n);
        const ProofRunMeasure run = measureProofRun(proof, kSettings, shippedLevel(n));
        ASSERT_EQ(run.report.outcome, RunOutcome::Won);
        const float gravity = level.getFloat("physics", "gravity", NAN), goalY = level.getFloat("goal", "goalY", NAN);
        const float voidSpeed = level.getFloat("world", "voidSpeed", NAN);
        if (run.cameraFlips > 0) found.insert("camera flip");
        if (gravity <= 30.0f) found.insert("gravity 30 or less");
        if (gravity >= 60.0f) found.insert("gravity 60 or more");
        if ((goalY + 10.0f) / voidSpeed < run.report.playTime) {  // the void beats the run without the power-up
            EXPECT_EQ(measureProofRun(proof, kSettings, shippedLevel(n), true).report.outcome,
                      RunOutcome::Lost);
            found.insert("lost without the power-up");
        }
    }
    EXPECT_TRUE(listed.empty()) << "listed without a file: " << listed.begin()->first;
    EXPECT_EQ(found, (std::set<std::string>{"camera flip", "gravity 30 or less", "gravity 60 or more",
                                            "lost without the power-up"}));
    for (const CampaignSet& set : campaign.sets) EXPECT_TRUE(!set.name.empty() && !set.levels.empty());
}

}  // namespace
