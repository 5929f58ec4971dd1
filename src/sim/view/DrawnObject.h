#pragma once
#include <cstdint>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

// What a drawn thing is. The renderer picks each kind's model, program and
// pictures itself; the simulation only says what is where.
enum class ObjectKind : uint8_t {
    Platform,     // a level box that shows the platform pictures of its side, animated
    Wall,         // a level box with a still picture of its side
    Floor,        // the level's floor: the still blue picture
    Void,         // the rising laser slab
    GoalPad,      // the video under the flag
    FrontScreen,  // the two tilted video screens that close the play space
    BackScreen,
    PowerUp,      // the spinning beet
    Astronaut,    // the player, and the scene's one light
    Confetti,     // one piece of the win's confetti, a box
    Flag,         // the waving goal flag
    Ghost,        // the raced run's astronaut: see-through, drawn after the opaque scene, casting nothing
};

inline constexpr uint32_t kNoBox = UINT32_MAX;

// One thing drawn in a frame: its kind and side (blue: the +z half of the
// level), the level box it is (an index into the level's description, for the
// level's own boxes), its model matrix, its size as a box (full edge lengths)
// and which picture of its animation it shows.
struct DrawnObject {
    ObjectKind kind = ObjectKind::Wall;
    bool blue = false;
    uint32_t box = kNoBox;
    glm::mat4 transform{1.0f};
    glm::vec3 size{0.0f};
    int32_t picture = 0;
};
