#pragma once
#include <string>
#include <vector>

#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include "sim/menu/MenuScreen.h"

// What the open menu shows this frame, as the frame's view hands it to the
// renderer: the screen's title, its notes (a run's time, a swapped key), its
// entries and which one has focus. `shown` is false while playing.
struct MenuView {
    bool shown = false;
    MenuScreen screen = MenuScreen::Title;
    std::string title;
    std::vector<std::string> notes;
    std::vector<MenuEntry> entries;
    int focus = 0;
    std::string hint;  // the keys that work here, at the panel's foot
};

// A rectangle in render pixels from the lower-left corner.
struct MenuRect {
    float x = 0.0f, y = 0.0f, width = 0.0f, height = 0.0f;
    bool contains(float px, float py) const { return px >= x && px < x + width && py >= y && py < y + height; }
};
struct MenuQuad {
    MenuRect rect;
    glm::vec4 colour{0.0f};  // with its opacity
};
// One string: its pen's start (render pixels from the lower-left corner) and
// its scale against the font's 48-pixel rasterisation.
struct MenuText {
    std::string text;
    float x = 0.0f, y = 0.0f, scale = 1.0f;
    glm::vec3 colour{1.0f};
};

// The menu laid out for a render size, in drawing order: the dimming over the
// scene, the panel, the focus bar, then the strings. Everything scales with
// the render height (a 360-pixel-high picture is the reference); a screen with
// more entries than fit shows the rows around the focus.
struct MenuPicture {
    std::vector<MenuQuad> quads;
    std::vector<MenuText> texts;
    std::vector<std::pair<int, MenuRect>> entryAreas;  // entry index and where it sits, for the pointer
    float entryTextHeight = 0.0f;  // the entries' type size in pixels (the font's 48 scaled)
};

MenuPicture layoutMenu(const MenuView& menu, float width, float height);

// The entry under a point (render pixels from the lower-left corner), -1 for none.
int menuEntryAt(const MenuPicture& picture, float x, float y);
