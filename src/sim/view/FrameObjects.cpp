#include "sim/view/FrameObjects.h"

#include <glm/gtc/matrix_transform.hpp>

#include "sim/frame/GameSession.h"
#include "sim/view/FrameView.h"

namespace {

DrawnObject levelBox(const LevelDescription& level, uint32_t box, int32_t picture)
{
    const BoxDescription& d = level.boxes[box];
    return {d.kind, d.blue, box, d.placement, 2.0f * d.halfExtents, picture};
}

DrawnObject placed(ObjectKind kind, const glm::mat4& transform, const glm::vec3& size = glm::vec3(0.0f))
{
    DrawnObject object;
    object.kind = kind;
    object.transform = transform;
    object.size = size;
    return object;
}

}  // namespace

void describeFrame(const GameSession& s, FrameView& view)
{
    const LevelDescription& level = s.description;
    const int32_t picture = view.animationFrame;
    std::vector<DrawnObject>& objects = view.objects;
    objects.clear();
    for (uint32_t i = 0; i < level.platformCount; ++i)
        if (i >= view.platformVisible.size() || view.platformVisible[i]) objects.push_back(levelBox(level, i, picture));
    if (view.powerUpDrawn) objects.push_back(placed(ObjectKind::PowerUp, s.level->powerUp->modelMatrix));
    view.voidHeight = s.voidState.voidHeight;
    if (view.voidDrawn) {
        DrawnObject plane = levelBox(level, level.voidBox, picture);
        plane.transform = glm::translate(plane.transform, glm::vec3(0.0f, view.voidHeight, 0.0f));
        objects.push_back(plane);
    }
    objects.push_back(placed(ObjectKind::Astronaut, glm::translate(glm::mat4(1.0f), view.characterPosition)));
    if (s.confetti.active)
        for (const Confetti& piece : s.confetti.pieces)
            objects.push_back(placed(ObjectKind::Confetti, glm::translate(glm::mat4(1.0f), piece.currentPosition()),
                                     piece.geometry.size));
    for (uint32_t box : {level.goalPadBox, level.frontScreenBox, level.backScreenBox})
        objects.push_back(levelBox(level, box, picture));
    objects.push_back(placed(ObjectKind::Flag, glm::translate(glm::mat4(1.0f), s.level->flagPlacement)));
    view.lightColour = s.config.lightColour();
}

void layOutHud(const GameSession& s, FrameView& view)
{
    view.hudLines = s.hud.lines(static_cast<float>(s.config.renderWidth), static_cast<float>(s.config.renderHeight));
}
