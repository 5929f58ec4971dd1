#include "Autopilot.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "core/IniFile.h"
#include "sim/solve/JumpPilot.h"

namespace {

// After a camera flip W pushes towards +z and A towards +x: the steering's
// keys turned around.
void turnAround(std::vector<Key>& keys)
{
    for (Key& key : keys) {
        if (key == Key::W) key = Key::S;
        else if (key == Key::S) key = Key::W;
        else if (key == Key::A) key = Key::D;
        else if (key == Key::D) key = Key::A;
    }
}

}  // namespace

std::optional<std::vector<Autopilot::Target>> Autopilot::loadRoute(const std::string& routePath, const IniFile& level,
                                                                   const IniFile& settings, std::string& error)
{
    std::ifstream in(routePath);
    if (!in) {
        error = "cannot read " + routePath;
        return std::nullopt;
    }
    std::vector<Target> route;
    for (std::string line; std::getline(in, line);) {
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string kind;
        if (!(words >> kind)) continue;
        Target t;
        if (kind == "goal") {
            const glm::vec3 goal(level.getFloat("goal", "goalX", 0), level.getFloat("goal", "goalY", 0),
                                 level.getFloat("goal", "goalZ", 0));
            t.centre = goal - glm::vec3(0, 1.0f, 0);  // aim the sphere's bottom at the goal's lower half
            t.half = glm::vec3(1.0f, 0.0f, 1.0f);
            t.isGoal = true;
        } else {
            int index = -1;
            words >> index;
            const std::string key = "platform" + std::to_string(index);
            const std::string type = level.getString("platforms", key + "type", "regular");
            const glm::vec3 size(settings.getFloat("elements", "plat_" + type + "X", 1),
                                 settings.getFloat("elements", "plat_" + type + "Y", 1),
                                 settings.getFloat("elements", "plat_" + type + "Z", 1));
            const glm::vec3 c(level.getFloat("platforms", key + "x", 0), level.getFloat("platforms", key + "y", 0),
                              level.getFloat("platforms", key + "z", 0));
            t.half = size * 0.5f;
            t.centre = c + glm::vec3(0, t.half.y, 0);
        }
        for (std::string flag; words >> flag;) {
            t.doubleJump = t.doubleJump || flag == "double";
            t.flipCamera = t.flipCamera || flag == "tab";
        }
        route.push_back(t);
    }
    return route;
}

std::vector<Key> Autopilot::decide(const glm::vec3& p, const glm::vec3& v)
{
    std::vector<Key> keys;
    ++frame;
    if (next >= route.size()) return keys;
    const Target& t = route[next];

    if (phase == Phase::Ground) {
        // Brake until nearly still, then jump towards the next target.
        const bool still = std::abs(v.x) < 1.0f && std::abs(v.z) < 1.0f;
        if (!still || frame - phaseStart < 3) {
            steerBy(keys, -v.x, -v.z, g);
            if (flipped) turnAround(keys);
            return keys;
        }
        if (t.flipCamera && !tabPressed) {
            keys.push_back(Key::Tab);
            tabPressed = true;
            flipped = !flipped;
            phaseStart = frame;
            return keys;
        }
        keys.push_back(Key::Space);
        phase = Phase::Air;
        phaseStart = frame;
        return keys;
    }

    // In the air: the second press two frames after the first gives the highest double jump.
    const int airFrames = frame - phaseStart;
    if (t.doubleJump && airFrames == 2) keys.push_back(Key::Space);

    steerToLand(keys, {t.centre, t.half, t.isGoal}, p, v, g);
    if (flipped) turnAround(keys);

    const float landY = t.centre.y + 1.0f;
    const glm::vec3 to = t.centre - p;

    const bool landed = airFrames > 5 && std::abs(v.y) < 1.5f && std::abs(p.y - landY) < 0.4f &&
                        std::abs(to.x) < t.half.x + 0.5f && std::abs(to.z) < t.half.z + 0.5f;
    if (landed) {
        ++next;
        tabPressed = false;
        phase = Phase::Ground;
        phaseStart = frame;
    }
    return keys;
}
