#pragma once
#include <array>
#include <string>
#include <vector>

#include "render/Glyph.h"

// The two triangles of one character as (x, y, u, v) per vertex, ready to be
// copied into the 96-byte quad buffer, and how far the pen moves after it.
struct GlyphQuad {
    std::array<float, 24> vertices{};
    float advance = 0.0f;
};

// The entry for `c`, or an empty glyph (texture 0, no size, no advance) for a
// code that has none, such as bytes above 127.
Glyph glyphFor(const GlyphMap& glyphs, char c);

// The quad of `glyph` with the pen at (x, y) and the given scale. The advance is
// truncated to whole pixels before scaling.
GlyphQuad layoutGlyph(const Glyph& glyph, float x, float y, float scale);

// The quads of a whole string, pen moving left to right from (x, y).
std::vector<GlyphQuad> layoutText(const GlyphMap& glyphs, const std::string& text, float x, float y, float scale);
