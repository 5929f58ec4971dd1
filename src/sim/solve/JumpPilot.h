#pragma once
#include <vector>

#include <glm/vec3.hpp>

#include "sim/frame/Key.h"

// One move of a run, decided frame by frame from the character's position and
// velocity: roll towards the target for a run-up (if any), jump (a second press
// on a chosen air frame makes it a double jump), steer in the air to come down
// over the target (keeping out from under it while below its top), then brake
// after landing until the character is nearly still.
class JumpPilot {
public:
    struct Target {
        glm::vec3 aim{0.0f};   // the point of the top face to come down on
        glm::vec3 half{0.0f};  // half size of the box under it (0 for a point)
        bool isGoal = false;   // aim the sphere's centre at `aim` + 1 and never hold back
    };
    struct Style {
        int secondPress = 0;  // air frame of the second press (2 is the highest); 0: a single jump
        int runUp = 0;        // frames rolled towards the target before the jump
    };

    JumpPilot(const Target& target, Style style, float gravity) : target(target), style(style), g(gravity) {}

    // The keys of the next frame. `grounded`: the character rests on a top.
    std::vector<Key> decide(const glm::vec3& p, const glm::vec3& v, bool grounded);
    // Landed and braked to (nearly) still.
    bool settled() const { return phase == Phase::Settled; }
    bool airborne() const { return phase == Phase::Air; }

private:
    enum class Phase { RunUp, Air, Brake, Settled };

    Target target;
    Style style;
    float g;
    Phase phase = Phase::RunUp;
    int frame = 0;
    int phaseStart = 0;
    bool leftGround = false;  // since the jump was pressed
};

// The direction keys that change the velocity by (dx, dz), leaving out changes
// smaller than half a step's push at this gravity (they would only jitter).
void steerBy(std::vector<Key>& keys, float dx, float dz, float gravity);

// In the air: the direction keys that bring the sphere down over the target,
// holding back while it is below the top and under the box, whose underside
// would stop the jump.
void steerToLand(std::vector<Key>& keys, const JumpPilot::Target& target, const glm::vec3& p, const glm::vec3& v,
                 float gravity);
