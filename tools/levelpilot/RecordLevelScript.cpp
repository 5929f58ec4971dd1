// Level authors' helper: flies the route of a level with the autopilot and
// writes the keys it pressed as the level's win script, and the run itself as
// the level's proof run.
//
//   record_level_script <level number> [--trace]
//   record_level_script <level number> --from-keys
//
// Run from the repository root. Reads assets/settings/settings.ini,
// assets/settings/level<N>.ini and tests/data/levels/level<N>.route; on a win
// writes tests/data/levels/level<N>.keys, which the level tests replay, and
// assets/settings/level<N>.replay, which the level checker replays.
// --from-keys plays the existing win script instead of the autopilot and
// writes only the proof run.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "Autopilot.h"
#include "sim/frame/GameSession.h"
#include "sim/run/HeadlessRun.h"
#include "sim/run/KeyScript.h"
#include "sim/proof/ProofRun.h"
#include "sim/replay/ReplayPlayback.h"
#include "sim/replay/ReplayWriter.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: record_level_script <level number> [--trace]\n";
        return 2;
    }
    const std::string n = argv[1];
    const bool trace = argc > 2 && std::string(argv[2]) == "--trace";
    const bool fromKeys = argc > 2 && std::string(argv[2]) == "--from-keys";
    const std::string routePath = "tests/data/levels/level" + n + ".route";
    const std::string keysPath = "tests/data/levels/level" + n + ".keys";
    const std::string settingsPath = "assets/settings/settings.ini", levelPath = "assets/settings/level" + n + ".ini";

    HeadlessRun run(settingsPath, levelPath);
    const GameSession& session = run.session();
    std::string error;
    const auto route = Autopilot::loadRoute(routePath, session.levelFile, session.settings, error);
    const KeyScriptResult recorded = fromKeys ? loadKeyScript(keysPath) : KeyScriptResult{};
    if (fromKeys ? !recorded.script : !route) {
        std::cerr << (fromKeys ? recorded.error : error) << "\n";
        return 2;
    }
    const auto scripted = fromKeys ? recorded.script->frames() : std::vector<std::vector<Key>>{};
    Autopilot pilot(route.value_or(std::vector<Autopilot::Target>{}), session.physics.gravity);
    KeyScript script;
    std::vector<ReplayFrame> proof;
    size_t lastReached = 0;
    for (size_t frame = 0; frame < 60 * 240 && !run.closed(); ++frame) {
        const glm::vec3 v = PhysicsWorld::velocityOf(session.character.body);
        const std::vector<Key> keys = !fromKeys             ? pilot.decide(session.character.getPosition(), v)
                                      : frame < scripted.size() ? scripted[frame]
                                                                : std::vector<Key>{};
        script.append(keys);
        const std::string out = run.frame(keys);
        proof.push_back(run.lastFrameRecord());
        if (!out.empty()) std::cout << "frame " << run.frames() << ": " << out;
        const glm::vec3 p = session.character.getPosition();
        const glm::vec3 after = PhysicsWorld::velocityOf(session.character.body);
        if (trace || pilot.reached() != lastReached)
            std::printf("frame %d target %zu pos (%.2f %.2f %.2f) vel (%.2f %.2f %.2f) void %.2f\n", run.frames(),
                        pilot.reached(), p.x, p.y, p.z, after.x, after.y, after.z, session.voidState.voidHeight);
        lastReached = pilot.reached();
    }
    const RunReport report = run.report();
    if (report.outcome != RunOutcome::Won) {
        std::cout << "not won (state " << session.gameManager.gameState << ") after " << report.frames
                  << " frames, reached target " << pilot.reached() << "\n";
        return 1;
    }
    if (!fromKeys)
        std::ofstream(keysPath) << "# Win script for level" << n
                                << ".ini, recorded by record_level_script: <frames> [keys]\n"
                                << script.format();
    ReplayWriter writer(openTruncated(proofPathFor(levelPath)),
                        recordingHeader(n, levelPath, settingsPath, SimulationSettings::of(session.config)), std::cout);
    for (const ReplayFrame& frame : proof) writer.append(frame);
    std::cout << "won in " << report.frames << " frames; " << (fromKeys ? "" : "script and ") << "proof run written\n";
    return 0;
}
