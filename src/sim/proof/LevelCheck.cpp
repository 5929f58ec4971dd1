#include "sim/proof/LevelCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <optional>

#include <glm/vec3.hpp>

#include "core/IniFile.h"
#include "sim/level/Level.h"

namespace {

constexpr float kWorldHalf = 60.0f;                    // the screens frame x and z within this
constexpr float kWorldTop = 140.0f;                    // the screens' top edge
constexpr float kBandFar = -15.0f, kBandNear = 18.0f;  // the camera band along z
constexpr float kRadius = 1.0f;                        // the character's sphere
// Measured double jump at gravity 50: rise of the sphere's centre and distance
// along the ground; both scale with gravity.
constexpr float kDoublePeak = 22.1f, kDoubleReach = 66.6f, kMeasuredGravity = 50.0f;
const glm::vec3 kPowerUp(-10.0f, 32.0f, 5.0f);
constexpr float kPowerUpHalf = 1.0f;

std::string number(float v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(v));
    return text;
}

// A box someone can stand on, by its top face.
struct Surface {
    std::string name;
    glm::vec3 centre, half;
    float top() const { return centre.y + half.y; }
    // Distance along the ground from this top to the point (0 when above it).
    float gapTo(float x, float z) const
    {
        const float dx = std::max(std::abs(x - centre.x) - half.x, 0.0f);
        const float dz = std::max(std::abs(z - centre.z) - half.z, 0.0f);
        return std::hypot(dx, dz);
    }
    float gapTo(const Surface& o) const
    {
        const float dx = std::max(std::abs(o.centre.x - centre.x) - half.x - o.half.x, 0.0f);
        const float dz = std::max(std::abs(o.centre.z - centre.z) - half.z - o.half.z, 0.0f);
        return std::hypot(dx, dz);
    }
};

class Checker {
public:
    Checker(const IniFile& level, const IniFile& settings) : level(level), settings(settings) {}

    std::vector<std::string> run()
    {
        checkWorld();
        checkEntries("platforms", "platform", "plat_", "platform");
        checkEntries("walls", "wall", "wall_", "wall");
        goal = point("goal", "goal", "X", "Y", "Z");
        checkStart();
        checkReach();
        return problems;
    }

private:
    void report(const std::string& key, const std::string& message) { problems.push_back(key + ": " + message); }

    // A value that must be written out and finite; nullopt (reported) otherwise.
    std::optional<float> required(const std::string& section, const std::string& key)
    {
        if (!level.has(section, key)) {
            report(key, "missing; write every key out (a missing key silently takes its default)");
            return std::nullopt;
        }
        const float value = level.getFloat(section, key, NAN);
        if (!std::isfinite(value)) {
            report(key, "'" + level.getString(section, key, "") + "' is not a finite number");
            return std::nullopt;
        }
        return value;
    }
    std::optional<glm::vec3> point(const std::string& section, const std::string& key, const char* x, const char* y,
                                   const char* z)
    {
        const auto a = required(section, key + x), b = required(section, key + y), c = required(section, key + z);
        if (!a || !b || !c) return std::nullopt;
        return glm::vec3(*a, *b, *c);
    }
    std::optional<float> positive(const std::string& section, const std::string& key)
    {
        const auto value = required(section, key);
        if (value && *value <= 0.0f) report(key, number(*value) + " must be above 0");
        return value && *value > 0.0f ? value : std::nullopt;
    }

    void checkWorld()
    {
        gravity = positive("physics", "gravity").value_or(kMeasuredGravity);
        positive("world", "voidSpeed");
        const auto x = positive("world", "dimensionX"), z = positive("world", "dimensionZ");
        if (x && *x * 0.5f > kWorldHalf)
            report("dimensionX", "the floor reaches x = +-" + number(*x * 0.5f) + ", outside the world (+-60)");
        if (z && *z * 0.5f > kWorldHalf)
            report("dimensionZ", "the floor reaches z = +-" + number(*z * 0.5f) + ", outside the world (+-60)");
        if (x && z) surfaces.push_back({"the floor", glm::vec3(0.0f), glm::vec3(*x * 0.5f, 0.5f, *z * 0.5f)});
    }

    // The catalogue size of a type, or nullopt (reported) when the type is unknown or a size is unusable.
    std::optional<glm::vec3> size(const std::string& key, const std::string& catalogue, const std::string& type,
                                  const char* kind)
    {
        const std::string stem = catalogue + type;
        if (!settings.has("elements", stem + "X") || !settings.has("elements", stem + "Y") ||
            !settings.has("elements", stem + "Z")) {
            report(key, std::string("unknown ") + kind + " type '" + type + "': [elements] lacks " + stem + "X, " +
                            stem + "Y or " + stem + "Z (the game would make a 1 x 1 x 1 box)");
            return std::nullopt;
        }
        glm::vec3 s;
        for (int axis = 0; axis < 3; ++axis) {
            const std::string sizeKey = stem + "XYZ"[axis];
            s[axis] = settings.getFloat("elements", sizeKey, NAN);
            if (!std::isfinite(s[axis]) || s[axis] <= 0.0f) {
                report(key, "type '" + type + "' has " + sizeKey + " = " + settings.getString("elements", sizeKey, "") +
                                "; sizes must be positive finite numbers");
                return std::nullopt;
            }
        }
        return s;
    }

    void checkEntries(const char* section, const std::string& prefix, const std::string& catalogue, const char* kind)
    {
        const long total = std::min(level.getInt(section, "total", 0), kMaxLevelEntries);
        for (long i = 0; i < total; ++i) {
            const std::string key = prefix + std::to_string(i);
            const auto centre = point(section, key, "x", "y", "z");
            if (!level.has(section, key + "type")) report(key + "type", "missing; write every key out");
            const auto full = size(key + "type", catalogue, level.getString(section, key + "type", "regular"), kind);
            if (!centre || !full) continue;
            const glm::vec3 half = *full * 0.5f;
            const glm::vec3& c = *centre;
            if (std::abs(c.x) + half.x > kWorldHalf)
                report(key + "x", "the box reaches x = " + number(c.x + std::copysign(half.x, c.x)) +
                                      ", outside the world (x within +-60)");
            if (std::abs(c.z) + half.z > kWorldHalf)
                report(key + "z", "the box reaches z = " + number(c.z + std::copysign(half.z, c.z)) +
                                      ", outside the world (z within +-60)");
            if (c.y - half.y < 0.0f || c.y + half.y > kWorldTop)
                report(key + "y", "the box spans y " + number(c.y - half.y) + " .. " + number(c.y + half.y) +
                                      ", outside the world (y within 0 .. 140)");
            if (prefix == "platform") {
                if (c.z < kBandFar || c.z > kBandNear)
                    report(key + "z", "z = " + number(c.z) + " lies outside the camera band (-15 .. 18)");
                if (full->y < 1.0f)
                    report(key + "type", "'" + level.getString(section, key + "type", "") + "' is " + number(full->y) +
                                             " thick; the jump's ground ray needs platforms at least 1 thick");
            }
            surfaces.push_back({key, c, half});
        }
    }

    void checkStart()
    {
        const auto s = point("world", "charStart", "X", "Y", "Z");
        if (!s) return;
        start = *s;
        if (s->z < kBandFar || s->z > kBandNear)
            report("charStartZ", "z = " + number(s->z) + " lies outside the camera band (-15 .. 18)");
        for (const Surface& box : surfaces) {
            const glm::vec3 outside = glm::max(glm::abs(*s - box.centre) - box.half, glm::vec3(0.0f));
            if (outside.x * outside.x + outside.y * outside.y + outside.z * outside.z < kRadius * kRadius - 1e-4f)
                report("charStartY", "the character starts inside " + box.name);
        }
    }

    // Breadth-first over the tops: from one top the double jump lands on any top
    // at most its peak higher and within its reach along the ground; falling is free.
    void checkReach()
    {
        if (!start) return;
        const float peak = kDoublePeak * gravity / kMeasuredGravity, reach = kDoubleReach * gravity / kMeasuredGravity;
        std::vector<bool> reached(surfaces.size(), false);
        std::deque<size_t> open;
        std::optional<size_t> below;  // the top the character drops onto
        for (size_t i = 0; i < surfaces.size(); ++i)
            if (surfaces[i].gapTo(start->x, start->z) == 0.0f && surfaces[i].top() <= start->y - kRadius + 1e-3f &&
                (!below || surfaces[i].top() > surfaces[*below].top()))
                below = i;
        if (!below) {
            report("charStartX", "nothing under the start: the character falls into the void");
            return;
        }
        reached[*below] = true;
        open.push_back(*below);
        while (!open.empty()) {
            const Surface& from = surfaces[open.front()];
            open.pop_front();
            for (size_t i = 0; i < surfaces.size(); ++i)
                if (!reached[i] && surfaces[i].top() - from.top() <= peak && from.gapTo(surfaces[i]) <= reach) {
                    reached[i] = true;
                    open.push_back(i);
                }
        }
        // A target is touched when the sphere's centre, rising at most `peak` above a reached top, gets within `near`
        // of it.
        const auto touches = [&](const glm::vec3& target, float near) {
            for (size_t i = 0; i < surfaces.size(); ++i)
                if (reached[i] && surfaces[i].top() + kRadius + peak >= target.y - near &&
                    surfaces[i].gapTo(target.x, target.z) <= reach + near)
                    return true;
            return false;
        };
        const std::string why = ": no chain of double jumps from the start gets there (the double jump rises " +
                                number(peak) + " at gravity " + number(gravity) + ")";
        if (!touches(kPowerUp, kPowerUpHalf + kRadius)) report("power-up", "at (-10, 32, 5)" + why);
        if (goal && !touches(*goal, settings.getFloat("elements", "goalX", 1.0f) * 0.5f))
            report("goalY",
                   "the goal at (" + number(goal->x) + ", " + number(goal->y) + ", " + number(goal->z) + ")" + why);
    }

    const IniFile& level;
    const IniFile& settings;
    std::vector<std::string> problems;
    std::vector<Surface> surfaces;
    float gravity = kMeasuredGravity;
    std::optional<glm::vec3> start, goal;
};

}  // namespace

std::vector<std::string> findLevelProblems(const IniFile& level, const IniFile& settings)
{
    return Checker(level, settings).run();
}
