// Level authors' helper: flies the route of a level with the autopilot and
// writes the keys it pressed as the level's win script.
//
//   record_level_script <level number> [--trace]
//
// Run from the repository root. Reads assets/settings/settings.ini,
// assets/settings/level<N>.ini and tests/data/levels/level<N>.route; on a win
// writes tests/data/levels/level<N>.keys, which the level tests replay.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "Autopilot.h"
#include "sim/frame/GameSession.h"
#include "sim/replay/HeadlessRun.h"
#include "sim/replay/KeyScript.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: record_level_script <level number> [--trace]\n";
        return 2;
    }
    const std::string n = argv[1];
    const bool trace = argc > 2 && std::string(argv[2]) == "--trace";
    const std::string routePath = "tests/data/levels/level" + n + ".route";

    HeadlessRun run("assets/settings/settings.ini", "assets/settings/level" + n + ".ini");
    const GameSession& session = run.session();
    std::string error;
    const auto route = Autopilot::loadRoute(routePath, session.levelFile, session.settings, error);
    if (!route) {
        std::cerr << error << "\n";
        return 2;
    }
    Autopilot pilot(*route, session.physics.gravity);
    KeyScript script;
    size_t lastReached = 0;
    for (int frame = 0; frame < 60 * 240 && !run.closed(); ++frame) {
        const glm::vec3 v = PhysicsWorld::velocityOf(session.character.body);
        const std::vector<Key> keys = pilot.decide(session.character.getPosition(), v);
        script.append(keys);
        const std::string out = run.frame(keys);
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
    std::ofstream("tests/data/levels/level" + n + ".keys")
        << "# Win script for level" << n << ".ini, recorded by record_level_script: <frames> [keys]\n"
        << script.format();
    std::cout << "won in " << report.frames << " frames; script written\n";
    return 0;
}
