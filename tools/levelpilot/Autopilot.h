#pragma once
#include <optional>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "sim/frame/Key.h"

class IniFile;

// A level author's helper that finds a key sequence through a route of
// platforms: from each landing spot it jumps (double where the next top is
// high), steers in the air so that it comes down over the next platform's
// centre, and brakes after landing. The keys it chooses are recorded into a
// KeyScript; the level checks replay only the recorded keys. The steering is
// the solver's (sim/solve/JumpPilot.h); the route is the author's.
class Autopilot {
public:
    struct Target {
        glm::vec3 centre{0.0f};  // centre of the top face to land on
        glm::vec3 half{0.0f};    // half size of the platform
        bool doubleJump = false;
        bool isGoal = false;
        bool flipCamera = false;  // press Tab on the ground before jumping to this target
    };

    // Route file: one target per line, "platform <index> [double] [tab]" or
    // "goal [double] [tab]"; "tab" flips the camera (and so the direction keys)
    // before the jump to that target;
    // '#' starts a comment. Sizes come from the settings' element catalogue.
    // nullopt (and `error` set) when the file cannot be read.
    static std::optional<std::vector<Target>> loadRoute(const std::string& routePath, const IniFile& level,
                                                        const IniFile& settings, std::string& error);

    Autopilot(std::vector<Target> route, float gravity) : route(std::move(route)), g(gravity) {}

    // Keys for the next frame from the character's position and velocity.
    std::vector<Key> decide(const glm::vec3& p, const glm::vec3& v);

    bool done() const { return next >= route.size(); }
    size_t reached() const { return next; }

private:
    enum class Phase { Ground, Air };

    std::vector<Target> route;
    float g;
    size_t next = 0;
    Phase phase = Phase::Ground;
    int frame = 0;
    int phaseStart = -100;
    bool flipped = false;     // after an odd number of Tabs the direction keys are turned around
    bool tabPressed = false;  // the current target's Tab has been pressed
};
