#include "sim/solve/JumpPilot.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kMass = 7.0f;
constexpr float kPushPerGravity = 0.1f;  // a direction key's impulse per step, times gravity
constexpr float kPostStepPush = 0.2f;    // the extra downward impulse after every step
constexpr int kRepress = 4;              // frames to wait for a press to lift off before pressing again

}  // namespace

void steerBy(std::vector<Key>& keys, float dx, float dz, float gravity)
{
    const float dead = gravity * kPushPerGravity / kMass * 0.5f;
    if (dx > dead) keys.push_back(Key::D);
    if (dx < -dead) keys.push_back(Key::A);
    if (dz > dead) keys.push_back(Key::S);
    if (dz < -dead) keys.push_back(Key::W);
}

std::vector<Key> JumpPilot::decide(const glm::vec3& p, const glm::vec3& v, bool grounded)
{
    std::vector<Key> keys;
    ++frame;
    switch (phase) {
    case Phase::RunUp:
        if (frame <= style.runUp) {
            const glm::vec3 to = target.aim - p;
            steerBy(keys, to.x, to.z, g);
            return keys;
        }
        keys.push_back(Key::Space);
        phase = Phase::Air;
        phaseStart = frame;
        return keys;
    case Phase::Air:
        leftGround = leftGround || !grounded;
        if (!leftGround && frame - phaseStart >= kRepress) {
            // The press found the jump locked (a double jump locks both for a second): press again.
            keys.push_back(Key::Space);
            phaseStart = frame;
            return keys;
        }
        if (style.secondPress > 0 && frame - phaseStart == style.secondPress) keys.push_back(Key::Space);
        if (grounded && leftGround && frame - phaseStart > 5) {
            phase = Phase::Brake;
            phaseStart = frame;
        } else {
            steerToLand(keys, target, p, v, g);
            return keys;
        }
        [[fallthrough]];
    case Phase::Brake:
        if (!grounded) {
            phase = Phase::Air;  // slid off: steer for the target again
            leftGround = true;
            phaseStart = frame - 100;
            steerToLand(keys, target, p, v, g);
            return keys;
        }
        if (std::abs(v.x) < 1.0f && std::abs(v.z) < 1.0f && frame - phaseStart >= 3) {
            phase = Phase::Settled;
            return keys;
        }
        steerBy(keys, -v.x, -v.z, g);
        return keys;
    case Phase::Settled:
        return keys;
    }
    return keys;
}

void steerToLand(std::vector<Key>& keys, const JumpPilot::Target& target, const glm::vec3& p, const glm::vec3& v,
                 float g)
{
    const float landY = target.aim.y + 1.0f;
    const float gEff = g + kPostStepPush / kMass * 60.0f;
    // Time until the sphere comes down through the landing height.
    const float disc = v.y * v.y + 2.0f * gEff * (p.y - landY);
    const float remaining = std::max(disc > 0 ? (v.y + std::sqrt(disc)) / gEff : 0.05f, 1.0f / 60.0f);
    const glm::vec3 to = target.aim - p;
    float wantX = to.x / remaining;
    float wantZ = to.z / remaining;
    // Below the top: keep out of the box's footprint so the head does not hit its underside.
    if (p.y < landY - 0.05f && !target.isGoal) {
        const float marginX = target.half.x + 1.3f;
        const float marginZ = target.half.z + 1.3f;
        const bool insideX = std::abs(to.x) < marginX + std::abs(v.x) / 60.0f * 3;
        const bool insideZ = std::abs(to.z) < marginZ + std::abs(v.z) / 60.0f * 3;
        if (insideX && insideZ) {
            // Hold back along the axis that is closer to leaving the footprint.
            if (marginX - std::abs(to.x) < marginZ - std::abs(to.z))
                wantX = -std::copysign(4.0f, to.x);
            else
                wantZ = -std::copysign(4.0f, to.z);
        }
    }
    steerBy(keys, wantX - v.x, wantZ - v.z, g);
}
