#include <gtest/gtest.h>

#include <tuple>

#include "render/TextLayout.h"

namespace {

// A glyph like a capital letter: 20 × 30 bitmap, 2 px right of the pen,
// 24 px above the baseline (so 6 px below it), advancing 25.5 px.
Glyph letter() { return Glyph{7u, {20, 30}, {2, 24}, 25u * 64u + 32u}; }

}  // namespace

TEST(TextLayout, GlyphQuadHasSixVerticesAroundThePen)
{
    const GlyphQuad quad = layoutGlyph(letter(), 100.0f, 50.0f, 0.5f);
    // xpos = 100 + 2 × 0.5; ypos = 50 − (30 − 24) × 0.5; w = 10; h = 15.
    const std::array<float, 24> expected = {
        101.0f, 62.0f, 0.0f, 0.0f,
        101.0f, 47.0f, 0.0f, 1.0f,
        111.0f, 47.0f, 1.0f, 1.0f,
        101.0f, 62.0f, 0.0f, 0.0f,
        111.0f, 47.0f, 1.0f, 1.0f,
        111.0f, 62.0f, 1.0f, 0.0f,
    };
    EXPECT_EQ(quad.vertices, expected);
    // The 1/64 fraction is dropped before scaling: 25 × 0.5, not 25.5 × 0.5.
    EXPECT_FLOAT_EQ(quad.advance, 12.5f);
}

TEST(TextLayout, MissingAndHighCodesAreEmptyWithNoAdvance)
{
    GlyphMap glyphs;
    for (int c = 0; c < 128; ++c) glyphs[static_cast<char>(c)] = letter();

    const char high = static_cast<char>(200);
    const Glyph empty = glyphFor(glyphs, high);
    EXPECT_EQ(std::tuple(empty.textureId, empty.size, empty.advance), std::tuple(0u, glm::ivec2(0), 0u));

    const std::vector<GlyphQuad> quads = layoutText(glyphs, std::string("A") + high + "B", 10.0f, 20.0f, 1.0f);
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_FLOAT_EQ(quads[1].advance, 0.0f);
    // The empty quad collapses onto the pen; B starts where A's advance left it.
    EXPECT_FLOAT_EQ(quads[1].vertices[0], 35.0f);
    EXPECT_FLOAT_EQ(quads[1].vertices[8], 35.0f);
    EXPECT_FLOAT_EQ(quads[2].vertices[0], 10.0f + 25.0f + 2.0f);

    EXPECT_EQ(glyphFor(GlyphMap{}, 'A').textureId, 0u);
}
