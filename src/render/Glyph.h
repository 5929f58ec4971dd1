#pragma once
#include <cstdint>
#include <map>

#include <glm/vec2.hpp>

// One rasterised character: its coverage texture, bitmap size, the offset from
// the pen to the bitmap's left and top edges, and the pen advance in 1/64 px.
struct Glyph {
    uint32_t textureId = 0;
    glm::ivec2 size{0};
    glm::ivec2 bearing{0};
    uint32_t advance = 0;
};

using GlyphMap = std::map<char, Glyph>;
