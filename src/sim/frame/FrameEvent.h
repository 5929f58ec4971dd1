#pragma once
#include <cstdint>

#include <glm/vec3.hpp>

// Something that happened in one frame, for whatever reacts to it outside the
// simulation (particles, sound, menus). The simulation lists them in the order
// it decided them; a replay lists the same events on the same frames.
enum class FrameEventKind : uint8_t {
    WarmUpEnded,     // the first frame that reads keys
    LevelStarted,    // the first Space: the clock and the void start
    LevelRestarted,  // a new session of the same level (R or a menu's restart)
    FirstJump,
    SecondJump,
    Landing,         // the sphere meets a surface from above; `speed` is the impact speed
    Bump,            // the sphere meets a wall or a platform's side; `speed` is the impact speed
    PowerUpTaken,
    GoalReached,
    VoidReached,
    Paused,
    Resumed,
    ConfettiThrown,
    NewBestTime,     // a win that beat the kept record and was saved
    MenuMove,        // focus moved in a menu
    MenuSelect,      // a menu entry chosen
    MenuBack,        // a menu left
};

struct FrameEvent {
    FrameEventKind kind = FrameEventKind::WarmUpEnded;
    float speed = 0.0f;         // impact speed for Landing and Bump, in units per second
    glm::vec3 position{0.0f};   // where in the world it happened (the astronaut's place for most)
};
