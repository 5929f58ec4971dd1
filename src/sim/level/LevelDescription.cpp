#include "sim/level/LevelDescription.h"

#include "sim/level/Level.h"

namespace {

uint32_t add(LevelDescription& d, ObjectKind kind, bool blue, const glm::vec3& halfExtents, const glm::mat4& placement)
{
    d.boxes.push_back({kind, blue, halfExtents, placement});
    return static_cast<uint32_t>(d.boxes.size() - 1);
}

}  // namespace

LevelDescription describeLevel(const Level& level)
{
    LevelDescription d;
    for (const Platform& p : level.platforms) add(d, p.kind, p.isBlue, p.halfExtents, p.drawMatrix());
    d.platformCount = static_cast<uint32_t>(d.boxes.size());
    d.voidBox = add(d, ObjectKind::Void, false, level.voidPlane.size * 0.5f, level.voidPlane.model);
    const auto picture = [&](const Platform& p, ObjectKind kind) { return add(d, kind, false, p.halfExtents, p.drawMatrix()); };
    d.goalPadBox = picture(*level.goalPad, ObjectKind::GoalPad);
    d.frontScreenBox = picture(*level.frontScreen, ObjectKind::FrontScreen);
    d.backScreenBox = picture(*level.backScreen, ObjectKind::BackScreen);
    return d;
}
