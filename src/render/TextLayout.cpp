#include "render/TextLayout.h"

#include <vector>

Glyph glyphFor(const GlyphMap& glyphs, char c)
{
    const auto found = glyphs.find(c);
    return found == glyphs.end() ? Glyph{} : found->second;
}

GlyphQuad layoutGlyph(const Glyph& glyph, float x, float y, float scale)
{
    const float xpos = x + glyph.bearing.x * scale;
    const float ypos = y - (glyph.size.y - glyph.bearing.y) * scale;
    const float w = glyph.size.x * scale;
    const float h = glyph.size.y * scale;
    GlyphQuad quad;
    quad.vertices = {
        xpos,     ypos + h, 0.0f, 0.0f,
        xpos,     ypos,     0.0f, 1.0f,
        xpos + w, ypos,     1.0f, 1.0f,
        xpos,     ypos + h, 0.0f, 0.0f,
        xpos + w, ypos,     1.0f, 1.0f,
        xpos + w, ypos + h, 1.0f, 0.0f,
    };
    quad.advance = static_cast<float>(glyph.advance >> 6) * scale;
    return quad;
}

std::vector<GlyphQuad> layoutText(const GlyphMap& glyphs, const std::string& text, float x, float y, float scale)
{
    std::vector<GlyphQuad> quads;
    quads.reserve(text.size());
    for (const char c : text) {
        quads.push_back(layoutGlyph(glyphFor(glyphs, c), x, y, scale));
        x += quads.back().advance;
    }
    return quads;
}
