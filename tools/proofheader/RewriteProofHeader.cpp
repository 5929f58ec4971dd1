// Gives proof runs the header this build writes, keeping their frames: after
// a change of the simulation number or of what the header fingerprints (the
// frames themselves are never touched). Each run is first played as it is
// and must win under this build; the rewritten file must win on the same
// frame with the same state hash, else nothing is written.
//
//     rewrite_proof_header assets/settings/settings.ini assets/settings/level*.replay
//
// The level file is the one beside the replay with the same name (.ini).
#include <filesystem>
#include <iostream>
#include <string>

#include "core/DurableFile.h"
#include "sim/replay/ReplayPlayback.h"
#include "sim/settings/SimulationSettings.h"

namespace fs = std::filesystem;

namespace {

// 0 when the run was rewritten (or already had this header), 1 otherwise.
int rewrite(const std::string& settingsPath, const fs::path& replayPath)
{
    const std::string levelPath = fs::path(replayPath).replace_extension(".ini").string();
    const ReplayParse parsed = loadReplay(replayPath.string());
    if (!parsed.replay) {
        std::cout << replayPath.string() << ": " << parsed.error << "\n";
        return 1;
    }
    const Replay& old = *parsed.replay;
    const RunReport played = playReplayHeadless(old, settingsPath, levelPath);
    if (played.outcome != RunOutcome::Won) {
        std::cout << replayPath.string() << ": " << summaryLine(played) << " under this build; left as it is\n";
        return 1;
    }
    std::string text = formatReplayHeader(recordingHeader(old.header.level, levelPath, settingsPath, old.header.settings));
    for (const ReplayFrame& frame : old.frames) text += formatReplayFrame(frame);
    const ReplayParse again = parseReplay(text);
    if (!again.replay || summaryLine(playReplayHeadless(*again.replay, settingsPath, levelPath)) != summaryLine(played) ||
        !replayMismatch(again.replay->header, levelPath, settingsPath).empty()) {
        std::cout << replayPath.string() << ": the rewritten run does not play the same; left as it is\n";
        return 1;
    }
    if (!replaceFileDurably(replayPath, text, std::cout, replayPath.string())) return 1;
    std::cout << replayPath.string() << ": " << summaryLine(played) << ", header rewritten\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: rewrite_proof_header SETTINGS.ini LEVEL.replay...\n";
        return 2;
    }
    int status = 0;
    for (int i = 2; i < argc; ++i) status |= rewrite(argv[1], argv[i]);
    return status;
}
