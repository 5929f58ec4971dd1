#pragma once

class GameSession;
struct FrameView;

// Fills the frame value with what the renderer draws once the frame's work is
// done (the power-up has spun and the void has risen): every object in the
// order the scene is drawn (the level's visible platforms and walls, the
// power-up, the void, the astronaut, the confetti, the goal pad and the
// screens, the flag), the void's height and the light.
void describeFrame(const GameSession& session, FrameView& view);
// The HUD's lines, laid out at the render size (the HUD is drawn at it whatever
// the window's size). Done once a frame, last, when the run flow has added its
// notes and the frame rate its readout.
void layOutHud(const GameSession& session, FrameView& view);
