#pragma once
#include <vector>

#include "sim/frame/Key.h"
#include "sim/replay/ReplayFile.h"

class GameSession;

// The frame just played as a replay records it: its deltaTime and `keys`, the
// keys the game read. A frame spent paused with the game camera on is marked
// paused: its time reached nothing the next frames depend on (the free debug
// camera, which moves while paused, keeps its time).
ReplayFrame recordedFrame(const GameSession& session, KeyMask keys);

// Adds a played frame to recorded lines as a file keeps them: a paused frame
// joins the paused line before it while the keys are the same and the line
// holds fewer than kPausedRunLimit frames.
void appendFrame(std::vector<ReplayFrame>& lines, const ReplayFrame& frame);
