#include "sim/solve/SolvedRun.h"

#include <cctype>
#include <filesystem>

#include <unistd.h>

#include "sim/frame/GameSession.h"
#include "sim/run/HeadlessRun.h"
#include "sim/proof/ProofRun.h"
#include "sim/replay/ReplayPlayback.h"
#include "core/XdgPaths.h"

namespace fs = std::filesystem;

SolvedRun recordSolvedRun(const LevelFiles& files, const std::string& levelSetting, const std::vector<KeyMask>& keys)
{
    SolvedRun solved;
    HeadlessRun run(files.settingsPath, files.levelPath);
    solved.text = formatReplayHeader(recordingHeader(levelSetting, files.levelPath, files.settingsPath,
                                                     SimulationSettings::of(run.session().config)));
    for (const KeyMask mask : keys) {
        if (run.closed()) break;
        run.frame(keysOf(mask));
        solved.text += formatReplayFrame(run.lastFrameRecord());
    }
    const ReplayParse parsed = parseReplay(solved.text);
    if (!parsed.replay) {
        solved.error = "the replay of the found run cannot be read back: " + parsed.error;
        return solved;
    }
    solved.report = playReplayHeadless(*parsed.replay, files.settingsPath, files.levelPath);
    const int expected = static_cast<int>(keys.size());
    if (solved.report.outcome != RunOutcome::Won || solved.report.decidedFrame != expected)
        solved.error = "the replay of the found run ends " + summaryLine(solved.report) + ", not won on frame " +
                       std::to_string(expected);
    return solved;
}

std::string levelSettingOf(const std::string& levelPath)
{
    std::string stem = fs::path(levelPath).stem().string();
    if (stem.size() > 5 && stem.compare(0, 5, "level") == 0) stem.erase(0, 5);
    for (char& c : stem)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-') c = '_';
    if (stem.size() > 64) stem.resize(64);
    return stem.empty() ? "solved" : stem;
}

namespace {

// A replay beside a level file of the same name is that level's proof run.
bool isProofRun(const fs::path& path)
{
    std::error_code error;
    fs::path level = path;
    level.replace_extension(".ini");
    return path.extension() == ".replay" && fs::exists(path, error) && fs::exists(level, error);
}

bool folderWritable(const fs::path& folder)
{
    return ::access((folder.empty() ? fs::path(".") : folder).c_str(), W_OK) == 0;
}

}  // namespace

std::optional<std::string> solvedRunPath(const std::string& levelPath, const std::optional<std::string>& requested,
                                         const char* xdgDataHome, const char* home, std::string& error)
{
    if (requested) {
        if (isProofRun(*requested)) {
            error = *requested + " is a level's proof run; it is never overwritten";
            return std::nullopt;
        }
        return requested;
    }
    const fs::path proof = proofPathFor(levelPath);
    std::error_code failure;
    if (!fs::exists(proof, failure) && folderWritable(proof.parent_path())) return proof.string();
    const auto data = xdgFolder(xdgDataHome, home, ".local/share");
    if (!data) {
        error = "no folder for the found run: " + proof.string() +
                " is taken or not writable, and neither XDG_DATA_HOME nor HOME is set";
        return std::nullopt;
    }
    return (*data / "vaultrise" / (fs::path(levelPath).stem().string() + ".solved.replay")).string();
}
