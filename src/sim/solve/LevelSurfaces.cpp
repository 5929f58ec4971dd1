#include "sim/solve/LevelSurfaces.h"

#include <algorithm>
#include <cmath>

#include "sim/frame/GameSession.h"

float LevelSurfaces::Surface::gapTo(float x, float z) const
{
    const float dx = std::max(std::abs(x - centre.x) - half.x, 0.0f);
    const float dz = std::max(std::abs(z - centre.z) - half.z, 0.0f);
    return std::hypot(dx, dz);
}

float LevelSurfaces::Surface::gapTo(const Surface& o) const
{
    const float dx = std::max(std::abs(o.centre.x - centre.x) - half.x - o.half.x, 0.0f);
    const float dz = std::max(std::abs(o.centre.z - centre.z) - half.z - o.half.z, 0.0f);
    return std::hypot(dx, dz);
}

LevelSurfaces LevelSurfaces::of(const GameSession& session)
{
    LevelSurfaces level;
    // The level keeps its platforms, then its walls, then the floor.
    const long platforms = std::clamp(session.levelFile.getInt("platforms", "total", 0), 0L, kMaxLevelEntries);
    const auto& boxes = session.level->platforms;
    for (size_t i = 0; i < boxes.size(); ++i) {
        const bool floor = i + 1 == boxes.size();
        const std::string name = floor ? "the floor"
                                 : static_cast<long>(i) < platforms
                                     ? "platform" + std::to_string(i)
                                     : "wall" + std::to_string(i - static_cast<size_t>(platforms));
        level.surfaces.push_back({name, boxes[i].position, boxes[i].halfExtents});
    }
    if (session.level->goal) {
        level.goal = session.level->goal->geometry.position;
        level.goalRadius = session.level->goal->geometry.size.x * 0.5f;
    }
    if (session.level->powerUp) level.powerUp = session.level->powerUp->position;
    level.gravity = session.physics.gravity;
    level.lowestTop = 0.0f;
    for (size_t i = 0; i < level.surfaces.size(); ++i)
        level.lowestTop = i == 0 ? level.surfaces[i].top() : std::min(level.lowestTop, level.surfaces[i].top());
    return level;
}

std::optional<size_t> LevelSurfaces::standingOn(const glm::vec3& p, float slack) const
{
    std::optional<size_t> best;
    for (size_t i = 0; i < surfaces.size(); ++i) {
        const Surface& s = surfaces[i];
        if (std::abs(p.y - 1.0f - s.top()) < slack && s.gapTo(p.x, p.z) < 0.5f &&
            (!best || s.top() > surfaces[*best].top()))
            best = i;
    }
    return best;
}

std::optional<size_t> LevelSurfaces::topUnder(float x, float z) const
{
    std::optional<size_t> best;
    for (size_t i = 0; i < surfaces.size(); ++i)
        if (surfaces[i].gapTo(x, z) == 0.0f && (!best || surfaces[i].top() > surfaces[*best].top())) best = i;
    return best;
}
