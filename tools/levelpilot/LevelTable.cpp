// Level authors' helper: the campaign's curve, measured from the levels' proof
// runs, as the table in docs/levels.md.
//
//   level_table                      prints the table
//   level_table --write docs/levels.md   replaces the table in the page
//   level_table --check docs/levels.md   exit 1 when the page's table differs
//
// Run from the repository root. Reads assets/settings/settings.ini,
// campaign.ini, every level<N>.ini and its proof run level<N>.replay. Levels
// follow the campaign's order; levels outside it come last, by number.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "core/IniFile.h"
#include "sim/campaign/Campaign.h"
#include "sim/proof/ProofRun.h"
#include "sim/proof/ProofRunMeasure.h"

namespace {

const std::string kFolder = "assets/settings/";
const std::string kBegin = "<!-- level table: made by level_table; edit the levels, then run level_table --write -->";
const std::string kEnd = "<!-- end of level table -->";

std::string fixed(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// The smallest top the run landed on, as "<type> <x> × <z>".
std::string smallestTop(const ProofRunMeasure& run, const IniFile& level, const IniFile& settings)
{
    std::string smallest = "—";
    float area = INFINITY;
    for (int i : run.landings) {
        const std::string type = level.getString("platforms", "platform" + std::to_string(i) + "type", "");
        const float x = settings.getFloat("elements", "plat_" + type + "X", 1);
        const float z = settings.getFloat("elements", "plat_" + type + "Z", 1);
        if (x * z < area) {
            area = x * z;
            smallest = type + " " + fixed(x, 0) + " × " + fixed(z, 0);
        }
    }
    return smallest;
}

std::string row(const std::string& set, const std::string& n, const std::string& settingsPath)
{
    const std::string levelPath = kFolder + "level" + n + ".ini";
    const IniFile level(levelPath, std::cerr), settings(settingsPath, std::cerr);
    const ReplayParse proof = loadReplay(proofPathFor(levelPath));
    if (!proof.replay) return "| " + set + " | " + n + " | " + proof.error + " |||||||||\n";
    const ProofRunMeasure run = measureProofRun(*proof.replay, settingsPath, levelPath);
    const float voidSpeed = level.getFloat("world", "voidSpeed", 1.0f);
    const float goalY = level.getFloat("goal", "goalY", 0.0f);
    // The void starts at -10 and the power-up lowers it by 7.
    const float withPowerUp = (goalY + 17.0f) / voidSpeed, without = (goalY + 10.0f) / voidSpeed;
    const bool won = run.report.outcome == RunOutcome::Won;
    std::ostringstream line;
    line << "| " << set << " | " << n << " | " << level.getString("general", "name", "---") << " | "
         << fixed(level.getFloat("physics", "gravity", 50.0f), 0) << " | " << fixed(voidSpeed, 2) << " | "
         << (won ? fixed(run.report.playTime, 2) + " s" : std::string("not won")) << " | " << fixed(withPowerUp, 1)
         << " s (" << fixed(withPowerUp / run.report.playTime, 2) << "×) | " << fixed(without, 1) << " s ("
         << fixed(without / run.report.playTime, 2) << "×) | " << run.doubleJumps << " | " << run.cameraFlips << " | "
         << smallestTop(run, level, settings) << " |\n";
    return line.str();
}

std::string table()
{
    const std::string settingsPath = kFolder + "settings.ini";
    const Campaign campaign = readCampaign(IniFile(kFolder + "campaign.ini", std::cerr));
    std::string text = "| Set | Level | Name | Gravity | voidSpeed | Author time | Void at the goal, power-up taken | "
                       "Without the power-up | Double jumps | Camera flips | Smallest top landed on |\n"
                       "|---|---|---|---|---|---|---|---|---|---|---|\n";
    for (const CampaignSet& set : campaign.sets)
        for (const std::string& n : set.levels) text += row(set.name, n, settingsPath);
    std::vector<int> outside;
    const std::regex name("level(0|[1-9][0-9]*)\\.ini");
    for (const auto& entry : std::filesystem::directory_iterator(kFolder)) {
        std::smatch match;
        const std::string file = entry.path().filename().string();
        if (std::regex_match(file, match, name) && !campaign.contains(match[1])) outside.push_back(std::stoi(match[1]));
    }
    std::sort(outside.begin(), outside.end());
    for (int n : outside) text += row("—", std::to_string(n), settingsPath);
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode.empty()) {
        std::cout << table();
        return 0;
    }
    if ((mode != "--write" && mode != "--check") || argc != 3) {
        std::cerr << "usage: level_table [--write PAGE | --check PAGE]\n";
        return 2;
    }
    std::ifstream in(argv[2]);
    std::stringstream page;
    page << in.rdbuf();
    const std::string text = page.str();
    const size_t begin = text.find(kBegin), end = text.find(kEnd);
    if (!in || begin == std::string::npos || end == std::string::npos || end < begin) {
        std::cerr << argv[2] << ": no level table (the lines " << kBegin << " and " << kEnd << ")\n";
        return 2;
    }
    const size_t from = begin + kBegin.size() + 1;
    const std::string fresh = table();
    if (mode == "--check") {
        if (text.substr(from, end - from) == fresh) return 0;
        std::cerr << argv[2] << ": the level table is out of date; run level_table --write " << argv[2]
                  << "\nit should read:\n" << fresh;
        return 1;
    }
    std::ofstream(argv[2]) << text.substr(0, from) << fresh << text.substr(end);
    return 0;
}
