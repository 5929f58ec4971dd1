// Level authors' helper: flies the route of a level with the autopilot and
// writes the keys it pressed as the level's win script.
//
//   record_level_script <level number> [--trace]
//
// Run from the repository root. Reads assets/settings/settings.ini,
// assets/settings/level<N>.ini and tests/data/levels/level<N>.route; on a win
// writes tests/data/levels/level<N>.keys. The win test then replays that file.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "support/Autopilot.h"
#include "support/KeyScript.h"
#include "support/LevelRun.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: record_level_script <level number> [--trace]\n";
        return 2;
    }
    const std::string n = argv[1];
    const bool trace = argc > 2 && std::string(argv[2]) == "--trace";
    const std::string settingsPath = "assets/settings/settings.ini";
    const std::string levelPath = "assets/settings/level" + n + ".ini";
    const std::string routePath = "tests/data/levels/level" + n + ".route";

    LevelRun run(settingsPath, levelPath);
    Autopilot pilot(Autopilot::loadRoute(routePath, run.levelFile(), run.settings()), run.gravity());
    KeyScript script;
    size_t lastReached = 0;
    for (int frame = 0; frame < 60 * 240 && !run.finished(); ++frame) {
        const std::vector<Key> keys = pilot.decide(run.position(), run.velocity());
        script.append(keys);
        const std::string out = run.frame(keys);
        if (!out.empty()) std::cout << "frame " << run.frames << ": " << out;
        const glm::vec3 p = run.position();
        if (trace || pilot.reached() != lastReached)
            std::printf("frame %d target %zu pos (%.2f %.2f %.2f) vel (%.2f %.2f %.2f) void %.2f\n", run.frames,
                        pilot.reached(), p.x, p.y, p.z, run.velocity().x, run.velocity().y, run.velocity().z,
                        run.voidHeight());
        lastReached = pilot.reached();
    }
    if (run.gameState() != Won) {
        std::cout << "not won (state " << run.gameState() << ") after " << run.frames << " frames, reached target "
                  << pilot.reached() << "\n";
        return 1;
    }
    std::ofstream("tests/data/levels/level" + n + ".keys")
        << "# Win script for level" << n << ".ini, recorded by record_level_script: <frames> [keys]\n"
        << script.format();
    std::cout << "won in " << run.frames << " frames; script written\n";
    return 0;
}
