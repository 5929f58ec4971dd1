#include "sim/proof/ProofRun.h"

#include <filesystem>
#include <ostream>

#include "core/IniFile.h"
#include "sim/proof/LevelCheck.h"
#include "sim/records/Medals.h"
#include "sim/replay/ReplayPlayback.h"

std::string proofPathFor(const std::string& levelPath)
{
    std::filesystem::path path(levelPath);
    return path.replace_extension(".replay").string();
}

bool checkLevel(const std::string& levelPath, const std::string& settingsPath, std::ostream& out,
                const ProofSearch& searchWithoutProof)
{
    const std::string name = std::filesystem::path(levelPath).filename().string();
    const IniFile level(levelPath, out);
    if (!level.loaded()) {
        out << name << ": cannot read " << levelPath << " as a level file\n";
        return false;
    }
    std::vector<std::string> problems = findLevelProblems(level, IniFile(settingsPath, out));
    for (const std::string& problem : problems) out << problem << "\n";
    const size_t shown = problems.size();

    const std::string proofPath = proofPathFor(levelPath);
    const std::string proof = "proof run " + std::filesystem::path(proofPath).filename().string() + ": ";
    if (!std::filesystem::exists(proofPath) && searchWithoutProof && problems.empty()) {
        if (const auto problem = searchWithoutProof()) problems.push_back(*problem);
    } else if (!std::filesystem::exists(proofPath)) {
        out << "no proof run (" << proofPath << "); docs/levels.md shows how to record one\n";
    } else if (const ReplayParse parsed = loadReplay(proofPath); !parsed.replay) {
        problems.push_back(parsed.error);
    } else if (const std::string changed = replayMismatch(parsed.replay->header, levelPath, settingsPath);
               !changed.empty()) {
        problems.push_back(proof + changed + "; record it again");
    } else {
        const RunReport report = playReplayHeadless(*parsed.replay, settingsPath, levelPath);
        out << proof << summaryLine(report) << "\n";
        if (report.outcome != RunOutcome::Won)
            problems.push_back(proof + "does not win the level");
        else
            out << "medals: " << medalTimesText(medalTimes(report.playTime)) << "\n";
    }
    for (size_t i = shown; i < problems.size(); ++i) out << problems[i] << "\n";
    if (problems.empty())
        out << name << ": no problems\n";
    else
        out << name << ": " << problems.size() << (problems.size() == 1 ? " problem\n" : " problems\n");
    return problems.empty();
}
