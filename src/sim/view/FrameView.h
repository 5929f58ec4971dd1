#pragma once
#include <cstdint>
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "sim/frame/FrameEvent.h"

// What one simulated frame hands to the renderer: the camera's matrices, the
// light, and which objects are drawn. The simulation fills it after its own
// work for the frame is done; the renderer only reads it.
struct FrameView {
    glm::mat4 projection{1.0f};
    glm::mat4 view{1.0f};
    glm::vec3 cameraPosition{0.0f};
    glm::vec3 characterPosition{0.0f};  // the astronaut, and the scene's one light
    std::vector<uint8_t> platformVisible;  // one flag per platform-list element
    bool powerUpDrawn = false;
    bool voidDrawn = false;
    bool hudVisible = true;
    bool wireframe = false;  // the scene's polygons as lines (debug)
    int32_t animationFrame = 0;  // which picture every animated surface shows
    float deltaTime = 0.0f;      // the frame's clock step, for the renderer's own motion
    int32_t frameCount = 0;

    // What the frame's sounds and reactions read.
    std::vector<FrameEvent> events;  // what happened in this frame, in order
    bool grounded = false;           // the sphere touches a surface
    float groundSpeed = 0.0f;        // the sphere's speed along the ground, units per second
    float voidHeight = 0.0f;         // the void's surface, world y
    bool paused = false;
};
