#include "sim/solve/SolveSession.h"

#include <cstdio>
#include <filesystem>
#include <ostream>

#include "core/DurableFile.h"
#include "core/IniFile.h"
#include "sim/proof/LevelCheck.h"
#include "sim/proof/ProofRun.h"
#include "sim/solve/SolvedRun.h"

namespace {

std::string fixed(double value, int decimals)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string levelName(const SolveRequest& request)
{
    return std::filesystem::path(request.files.levelPath).filename().string();
}

// What the search did, for the result lines.
std::string effort(const SolveResult& result)
{
    return std::to_string(result.attempts) + " moves tried, " + std::to_string(result.reached.simulated) +
           " frames simulated in " + fixed(result.reached.secondsUsed, 1) + " s";
}

std::string notFoundLine(const SolveRequest& request, const SolveResult& result)
{
    std::string line = "no winning run found in " + budgetText(request.limits);
    if (result.exhausted) line += " (every move the search knows was tried)";
    line += ": highest top reached " + result.reached.highestSurface + " (top " +
            fixed(result.reached.highestTop, 1) + ", " + std::to_string(result.reached.stage) +
            " moves up), closest approach to the goal " +
            (result.closestToGoal < 1e29f ? fixed(result.closestToGoal, 1) : std::string("none"));
    return line;
}

std::string routeText(const SolveResult& result)
{
    std::string text;
    for (const std::string& top : result.route) text += (text.empty() ? "" : ", ") + top;
    return text;
}

// Searches and verifies; on a verified win `solved` holds the replay.
std::optional<SolveResult> search(const SolveRequest& request, std::ostream& out, SolvedRun& solved)
{
    out << "solving " << levelName(request) << " for up to " << budgetText(request.limits) << "\n";
    SolveResult result = solveLevel(request.files, request.limits, request.progress);
    if (result.outcome == SolveResult::Outcome::Stopped) return std::nullopt;
    if (result.outcome == SolveResult::Outcome::Won) {
        solved = recordSolvedRun(request.files, levelSettingOf(request.files.levelPath), result.keys);
        if (solved.error.empty())
            out << "found a winning run: " << summaryLine(solved.report) << " ("
                << fixed(result.winFrame / 60.0, 2) << " s); " << effort(result) << "\nroute: " << routeText(result)
                << "\n";
        else
            out << solved.error << "\n";
    }
    return result;
}

// The level checker's static checks, whose problems are printed as the
// checker prints them: a level they reject is not searched.
bool passesStaticChecks(const SolveRequest& request, std::ostream& out)
{
    const IniFile level(request.files.levelPath, out);
    if (!level.loaded()) {
        out << levelName(request) << ": cannot read " << request.files.levelPath << " as a level file\n";
        return false;
    }
    const std::vector<std::string> problems = findLevelProblems(level, IniFile(request.files.settingsPath, out));
    for (const std::string& problem : problems) out << problem << "\n";
    if (!problems.empty())
        out << levelName(request) << ": " << problems.size() << (problems.size() == 1 ? " problem" : " problems")
            << "; not searched\n";
    return problems.empty();
}

}  // namespace

std::string budgetText(const SolveLimits& limits)
{
    if (limits.frames) return std::to_string(*limits.frames) + " frames";
    const double s = limits.seconds;
    return (s == static_cast<double>(static_cast<long long>(s)) ? std::to_string(static_cast<long long>(s))
                                                                 : fixed(s, 1)) +
           " s";
}

int solveAndWrite(const SolveRequest& request, std::ostream& out)
{
    if (!passesStaticChecks(request, out)) return kNotSolvedStatus;
    std::string error;
    const auto path = solvedRunPath(request.files.levelPath, request.out, request.xdgDataHome, request.home, error);
    if (!path) {
        out << error << "\n";
        return kNotSolvedStatus;
    }
    SolvedRun solved;
    const auto result = search(request, out, solved);
    if (!result) {
        out << "interrupted: nothing written\n";
        return kInterruptedStatus;
    }
    if (result->outcome != SolveResult::Outcome::Won) {
        out << notFoundLine(request, *result) << "; " << effort(*result) << "\n";
        return kNotSolvedStatus;
    }
    if (!solved.error.empty()) return kNotSolvedStatus;
    if (error = writeFileDurably(*path, solved.text); !error.empty()) {
        out << error << "\n";
        return kNotSolvedStatus;
    }
    out << "found run written to " << *path << "\n";
    return kSolvedStatus;
}

std::optional<std::string> proveBySearch(const SolveRequest& request, bool saveProof, std::ostream& out)
{
    const std::string proofPath = proofPathFor(request.files.levelPath);
    out << "no proof run (" << proofPath << "); searching for one\n";
    SolvedRun solved;
    const auto result = search(request, out, solved);
    if (!result) return "interrupted: no winning run found";
    if (result->outcome != SolveResult::Outcome::Won) {
        out << notFoundLine(request, *result) << "\n";
        return "no winning run found in " + budgetText(request.limits);
    }
    if (!solved.error.empty()) return solved.error;
    if (!saveProof) {
        out << "--save-proof keeps it as " << proofPath << "\n";
        return std::nullopt;
    }
    if (const std::string error = writeFileDurably(proofPath, solved.text); !error.empty())
        return "cannot save the proof run: " + error;
    out << "proof run saved to " << proofPath << "\n";
    return std::nullopt;
}
