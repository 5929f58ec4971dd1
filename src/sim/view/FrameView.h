#pragma once
#include <cstdint>
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "sim/frame/FrameEvent.h"
#include "sim/view/DrawnObject.h"
#include "sim/view/HudState.h"
#include "sim/view/MenuView.h"

// The one value a simulated frame hands on: everything the renderer draws
// (the camera's matrices, the light, every object, the void's height, the HUD's
// lines) and what happened in the frame for the sound and the menus. The
// simulation fills it once its own work for the frame is done; the renderer
// and whatever else reacts only read it. Another drawn thing (such as the
// ghost) is one more ObjectKind in `objects`.
struct FrameView {
    glm::mat4 projection{1.0f};
    glm::mat4 view{1.0f};
    glm::vec3 cameraPosition{0.0f};
    glm::vec3 characterPosition{0.0f};  // the astronaut, and the scene's one light
    glm::vec3 lightColour{1.0f};
    std::vector<DrawnObject> objects;  // in the order the scene is drawn
    std::vector<HudLine> hudLines;     // laid out at the render size, drawn when hudVisible
    std::vector<uint8_t> platformVisible;  // one flag per platform-list element (culling)
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

    MenuView menu;  // the open menu, drawn over the dimmed scene
};
