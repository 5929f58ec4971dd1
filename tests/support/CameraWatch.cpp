#include "support/CameraWatch.h"

#include <sstream>

#include "sim/frame/GameSession.h"

namespace {

std::string text(const glm::vec3& v)
{
    std::ostringstream out;
    out << "(" << v.x << ", " << v.y << ", " << v.z << ")";
    return out.str();
}

}  // namespace

CameraWatch::CameraWatch(const GameSession& session) : session(session), screens(Screens::of(*session.level)) {}

void CameraWatch::observe(int frame)
{
    const glm::vec3 p = session.character.getPosition();
    const glm::vec3 camera = session.camera.position;
    const auto where = [&] { return "frame " + std::to_string(frame) + ", character " + text(p) + ", camera " + text(camera); };

    if (const float c = screens.clearance(camera); c < cameraClearance) {
        cameraClearance = c;
        cameraAt = where();
    }
    // Tab at any moment sends the camera to the character's other side.
    if (const float c = screens.clearance(restingCamera(p, -session.camera.followSide)); c < flippedClearance) {
        flippedClearance = c;
        flippedAt = where();
    }
    const int box = hidingBox(*session.level, camera, p);
    hiddenRun = box >= 0 ? hiddenRun + 1 : 0;
    if (hiddenRun > longestHidden) {
        longestHidden = hiddenRun;
        hiddenAt = where() + ", hidden by level box " + std::to_string(box);
    }
}
