#pragma once
#include "render/GlObject.h"

// One quad of six (x, y, u, v) vertices whose buffer is rewritten for each
// draw: the HUD's glyphs and the menu's panels are drawn through one each.
struct DynamicQuad {
    // A labelled vertex array with its buffer, attribute 0 holding the four floats.
    static DynamicQuad create(const char* label);

    GlVertexArray vao;
    GlBuffer vbo;
};
