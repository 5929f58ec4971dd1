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

namespace {

constexpr int kHudPixelHeight = 48;

struct RenderedGlyph {
    int width = 0;
    int rows = 0;
    int left = 0;
    int top = 0;
    long advance = 0;  // 1/64 pixel
    std::vector<unsigned char> pixels;

    bool hasInk() const
    {
        return std::any_of(pixels.begin(), pixels.end(), [](unsigned char p) { return p != 0; });
    }
    bool inked(int x, int y) const
    {
        return x < width && y < rows && pixels[static_cast<size_t>(y * width + x)] >= 128;
    }
};

// Share of ink pixels that differ between two glyphs laid over each other
// with their bitmaps' top-left corners aligned. Edge pixels that merely flip
// with a sub-pixel shift stay far below the share a real shape change gives.
double shapeDifference(const RenderedGlyph& a, const RenderedGlyph& b)
{
    int differing = 0;
    int inkA = 0;
    int inkB = 0;
    for (int y = 0; y < std::max(a.rows, b.rows); ++y) {
        for (int x = 0; x < std::max(a.width, b.width); ++x) {
            const bool inA = a.inked(x, y);
            const bool inB = b.inked(x, y);
            inkA += inA;
            inkB += inB;
            differing += inA != inB;
        }
    }
    return double(differing) / std::max({inkA, inkB, 1});
}

class FontCoverageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(FT_Init_FreeType(&library), 0);
        const std::string path = std::string(VAULTRISE_SOURCE_DIR) + "/assets/fonts/screaming_neon.ttf";
        ASSERT_EQ(FT_New_Face(library, path.c_str(), 0, &face), 0) << "cannot open " << path;
        ASSERT_EQ(FT_Set_Pixel_Sizes(face, 0, kHudPixelHeight), 0);
    }

    void TearDown() override
    {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }

    // Loads and renders one character exactly as the HUD does.
    RenderedGlyph render(unsigned char c)
    {
        RenderedGlyph glyph;
        EXPECT_EQ(FT_Load_Char(face, c, FT_LOAD_RENDER), 0) << "character code " << int(c);
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.rows = static_cast<int>(bitmap.rows);
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.advance = slot->advance.x;
        for (int y = 0; y < glyph.rows; ++y) {
            const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
            glyph.pixels.insert(glyph.pixels.end(), row, row + glyph.width);
        }
        return glyph;
    }

    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

TEST_F(FontCoverageTest, EveryPrintableCharacterHasInkAndAdvance)
{
    for (unsigned char c = 0x21; c <= 0x7E; ++c) {
        SCOPED_TRACE(std::string("character '") + char(c) + "'");
        EXPECT_NE(FT_Get_Char_Index(face, c), 0u) << "falls back to .notdef";
        const RenderedGlyph glyph = render(c);
        EXPECT_GT(glyph.width, 0);
        EXPECT_GT(glyph.rows, 0);
        EXPECT_TRUE(glyph.hasInk());
        EXPECT_GT(glyph.advance, 0);
    }

    EXPECT_NE(FT_Get_Char_Index(face, ' '), 0u);
    const RenderedGlyph space = render(' ');
    EXPECT_GT(space.advance >> 6, kHudPixelHeight / 8) << "space too narrow to separate words";
    EXPECT_FALSE(space.hasInk());
    EXPECT_TRUE(space.width == 0 || space.rows == 0);
}

TEST_F(FontCoverageTest, ControlCodesTheHudAlsoLoadsDoNotFail)
{
    // The HUD walks all codes 0..127; unmapped ones must still load (as .notdef).
    for (int c = 0; c < 128; ++c) {
        EXPECT_EQ(FT_Load_Char(face, static_cast<FT_ULong>(c), FT_LOAD_RENDER), 0) << "code " << c;
    }
}

TEST_F(FontCoverageTest, LookAlikeCharactersRenderDifferently)
{
    const std::vector<std::pair<char, char>> pairs = {
        {'O', '0'}, {'o', '0'}, {'O', 'Q'}, {'I', '1'}, {'I', 'l'}, {'1', 'l'}, {'l', '|'}, {'I', '|'},
        {'S', '5'}, {'B', '8'}, {'Z', '2'}, {'Z', 'z'}, {'.', ','}, {':', ';'}, {'(', '['}, {'\'', '`'},
    };
    for (const auto& [a, b] : pairs) {
        const double difference = shapeDifference(render(a), render(b));
        EXPECT_GT(difference, 0.1) << "'" << a << "' and '" << b << "' look alike";
    }

    // Beyond the classic pairs: no two printable characters may share a
    // bitmap at the same place relative to the pen.
    std::map<std::string, char> seen;
    for (unsigned char c = 0x21; c <= 0x7E; ++c) {
        const RenderedGlyph glyph = render(c);
        std::string key = std::to_string(glyph.width) + "x" + std::to_string(glyph.rows) + "@" +
                          std::to_string(glyph.left) + "," + std::to_string(glyph.top) + ":";
        key.append(glyph.pixels.begin(), glyph.pixels.end());
        const auto [it, inserted] = seen.emplace(key, char(c));
        EXPECT_TRUE(inserted) << "'" << char(c) << "' renders exactly like '" << it->second << "'";
    }
}

TEST_F(FontCoverageTest, LettersSitOnTheBaselineAtCapAndXHeight)
{
    // Cap height 700 and x-height 500 units at 48 px: about 34 and 24 pixels.
    for (char c : std::string("ABCDEFGHIJKLMNOPRSTUVWXYZ")) {
        SCOPED_TRACE(std::string("capital ") + c);
        const RenderedGlyph glyph = render(c);
        EXPECT_NEAR(glyph.top, 34, 2);
        EXPECT_NEAR(glyph.top - glyph.rows, 0, 1);
    }
    for (char c : std::string("acemnorsuvwxz")) {
        SCOPED_TRACE(std::string("small ") + c);
        const RenderedGlyph glyph = render(c);
        EXPECT_NEAR(glyph.top, 24, 2);
        EXPECT_NEAR(glyph.top - glyph.rows, 0, 1);
    }
    for (char c : std::string("gjpqy")) {
        SCOPED_TRACE(std::string("descender ") + c);
        EXPECT_LT(render(c).top - render(c).rows, -3);
    }
}

TEST_F(FontCoverageTest, DigitsShareOneAdvanceSoNumbersDoNotJitter)
{
    const long zero = render('0').advance;
    for (char c = '1'; c <= '9'; ++c) {
        EXPECT_EQ(render(c).advance, zero) << "digit " << c;
    }
    // The decimal point and minus sign stay narrower than a digit.
    EXPECT_LT(render('.').advance, zero);
    EXPECT_LT(render('-').advance, zero);
}

}  // namespace

TEST_F(FontCoverageTest, HudCaptionsFitTheirColumnsInA1280PixelWindow)
{
    // The right column starts 180 pixels left of 95 % of the width; the
    // caption is drawn at half size with whole-pixel advances, as the HUD does.
    auto halfSizeWidth = [&](const char* text) {
        float width = 0.0f;
        for (const char* c = text; *c; ++c) {
            EXPECT_EQ(FT_Load_Char(face, static_cast<FT_ULong>(*c), FT_LOAD_RENDER), 0);
            width += static_cast<float>(face->glyph->advance.x >> 6) * 0.5f;
        }
        return width;
    };
    const float column = 0.95f * 1280.0f - 180.0f;
    EXPECT_LT(column + halfSizeWidth("REMAINING DISTANCE"), 1280.0f - 8.0f);
    EXPECT_LT(column + halfSizeWidth("VOID LEVEL"), 1280.0f - 8.0f);
    // The end message starts at 5 % minus 32 pixels and is drawn at full size.
    EXPECT_LT(0.05f * 1280.0f - 32.0f + 2.0f * halfSizeWidth("AWESOME, YOU COMPLETED THE LEVEL!"), 1280.0f);
}
