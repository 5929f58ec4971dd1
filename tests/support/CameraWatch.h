#pragma once
#include <string>

#include "sim/proof/CameraView.h"

class GameSession;

// Follows the game camera through a run, frame by frame, and keeps the worst
// moments: the least clearance of the camera from the screens, the least
// clearance a Tab (camera to the other side) would have left, and the longest
// stretch in which a level box hid the character. Each comes with a line
// saying where it happened.
class CameraWatch {
public:
    explicit CameraWatch(const GameSession& session);
    void observe(int frame);

    float cameraClearance = 1e9f;
    std::string cameraAt;
    float flippedClearance = 1e9f;
    std::string flippedAt;
    int longestHidden = 0;
    std::string hiddenAt;

private:
    const GameSession& session;
    Screens screens;
    int hiddenRun = 0;
};
