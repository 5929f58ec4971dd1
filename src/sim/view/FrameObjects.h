#pragma once

class GameSession;
struct FrameView;

// Fills the frame value with what the renderer draws once the frame's work is
// done (the power-up has spun and the void has risen): every object in the
// order the scene is drawn (the level's visible platforms and walls, the
// power-up, the void, the astronaut, the confetti, the goal pad and the
// screens, the flag), the void's height, the light and the HUD's lines.
void describeFrame(const GameSession& session, FrameView& view);
