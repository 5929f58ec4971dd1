// The HUD rasterises character codes 0..127 of fonts/screaming_neon.ttf at a
// pixel height of 48. These checks load the committed font the same way and
// make sure every printable character comes out as a real, distinct glyph.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "sim/view/HudState.h"
#include "render/TextLayout.h"

namespace {

struct RenderedGlyph {
    int width = 0, rows = 0, left = 0, top = 0;
    long advance = 0;  // 1/64 pixel
    std::vector<unsigned char> pixels;
    bool inked(int x, int y) const { return x < width && y < rows && pixels[size_t(y * width + x)] >= 128; }
};

class FontCoverageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(FT_Init_FreeType(&library), 0);
        const std::string path = std::string(VAULTRISE_SOURCE_DIR) + "/assets/fonts/screaming_neon.ttf";
        ASSERT_EQ(FT_New_Face(library, path.c_str(), 0, &face), 0) << "cannot open " << path;
        ASSERT_EQ(FT_Set_Pixel_Sizes(face, 0, 48), 0);
    }
    void TearDown() override
    {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }

    // Loads and renders one character exactly as the HUD does.
    RenderedGlyph render(unsigned char c)
    {
        EXPECT_EQ(FT_Load_Char(face, c, FT_LOAD_RENDER), 0) << "character code " << int(c);
        const FT_GlyphSlot slot = face->glyph;
        RenderedGlyph glyph{int(slot->bitmap.width), int(slot->bitmap.rows), slot->bitmap_left, slot->bitmap_top,
                            slot->advance.x, {}};
        for (int y = 0; y < glyph.rows; ++y) {
            const unsigned char* row = slot->bitmap.buffer + y * slot->bitmap.pitch;
            glyph.pixels.insert(glyph.pixels.end(), row, row + glyph.width);
        }
        return glyph;
    }

    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

// Share of ink pixels that differ between two glyphs laid over each other at
// their bitmaps' top-left corners; a sub-pixel shift stays far below a real shape change.
double shapeDifference(const RenderedGlyph& a, const RenderedGlyph& b)
{
    int differing = 0, inkA = 0, inkB = 0;
    for (int y = 0; y < std::max(a.rows, b.rows); ++y)
        for (int x = 0; x < std::max(a.width, b.width); ++x) {
            inkA += a.inked(x, y);
            inkB += b.inked(x, y);
            differing += a.inked(x, y) != b.inked(x, y);
        }
    return double(differing) / std::max({inkA, inkB, 1});
}

}  // namespace

TEST_F(FontCoverageTest, EveryPrintableCharacterIsARealGlyphOfItsOwn)
{
    for (int c = 0; c < 128; ++c) EXPECT_EQ(FT_Load_Char(face, FT_ULong(c), FT_LOAD_RENDER), 0) << "code " << c;
    std::map<std::string, char> seen;
    for (unsigned char c = 0x21; c <= 0x7E; ++c) {
        SCOPED_TRACE(std::string("character '") + char(c) + "'");
        EXPECT_NE(FT_Get_Char_Index(face, c), 0u) << "falls back to .notdef";
        const RenderedGlyph glyph = render(c);
        EXPECT_TRUE(std::any_of(glyph.pixels.begin(), glyph.pixels.end(), [](unsigned char p) { return p; }));
        EXPECT_GT(glyph.advance, 0);
        std::string key = std::to_string(glyph.width) + "x" + std::to_string(glyph.rows) + "@" +
                          std::to_string(glyph.left) + "," + std::to_string(glyph.top) + ":";
        key.append(glyph.pixels.begin(), glyph.pixels.end());
        const auto [it, inserted] = seen.emplace(key, char(c));
        EXPECT_TRUE(inserted) << "renders exactly like '" << it->second << "'";
    }
    for (const auto& [a, b] : std::vector<std::pair<char, char>>{
             {'O', '0'}, {'o', '0'}, {'O', 'Q'}, {'I', '1'}, {'I', 'l'}, {'1', 'l'}, {'l', '|'}, {'I', '|'},
             {'S', '5'}, {'B', '8'}, {'Z', '2'}, {'Z', 'z'}, {'.', ','}, {':', ';'}, {'(', '['}, {'\'', '`'}})
        EXPECT_GT(shapeDifference(render(a), render(b)), 0.1) << "'" << a << "' and '" << b << "' look alike";
    const RenderedGlyph space = render(' ');
    EXPECT_GT(space.advance >> 6, 6) << "space too narrow to separate words";
    EXPECT_TRUE(space.width == 0 || space.rows == 0);
}

TEST_F(FontCoverageTest, DigitsShareOneAdvance)
{
    const long zero = render('0').advance;
    for (char c = '1'; c <= '9'; ++c) EXPECT_EQ(render(c).advance, zero) << "digit " << c;
    EXPECT_LT(render('.').advance, zero);
    EXPECT_LT(render('-').advance, zero);
}

// Every HUD string laid out with this font's glyph boxes stays inside a 16:9
// window and clear of every other string, playing and after either outcome,
// at every window height from 360 to 2160 pixels.
TEST_F(FontCoverageTest, HudRowsNeitherOverlapNorLeaveTheWindowAtAnyHeight)
{
    GlyphMap glyphs;
    for (unsigned char c = 0x20; c < 0x7F; ++c) {
        const RenderedGlyph g = render(c);
        glyphs[char(c)] = Glyph{0, {g.width, g.rows}, {g.left, g.top}, uint32_t(g.advance)};
    }
    struct Box { float x0, y0, x1, y1; };
    for (const float height : {360.0f, 432.0f, 540.0f, 720.0f, 1080.0f, 1440.0f, 2160.0f})
        for (const int outcome : {0, 1, 2}) {
            HudState hud;
            hud.update("4 [Summit]", 987.6f, -55.5f);
            hud.playing = outcome == 0;
            hud.won = outcome == 1;
            const float width = height * 16.0f / 9.0f;
            std::vector<Box> placed;
            for (const HudLine& line : hud.lines(width, height)) {
                SCOPED_TRACE(line.text + " at height " + std::to_string(height));
                Box box{width, height, 0.0f, 0.0f};
                for (const GlyphQuad& q : layoutText(glyphs, line.text, line.x, line.y, line.scale))
                    if (q.vertices[8] > q.vertices[0])  // the space has no box
                        box = {std::min(box.x0, q.vertices[0]), std::min(box.y0, q.vertices[5]),
                               std::max(box.x1, q.vertices[8]), std::max(box.y1, q.vertices[1])};
                EXPECT_TRUE(box.x0 >= 0.0f && box.y0 >= 0.0f && box.x1 <= width && box.y1 <= height);
                for (const Box& o : placed)
                    EXPECT_TRUE(box.x1 <= o.x0 || o.x1 <= box.x0 || box.y1 <= o.y0 || o.y1 <= box.y0);
                placed.push_back(box);
            }
        }
}
