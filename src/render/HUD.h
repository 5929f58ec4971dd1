#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "render/DynamicQuad.h"
#include "render/GlObject.h"
#include "render/Glyph.h"
#include "sim/view/FrameView.h"

class Shader;

// The heads-up display: the first 128 character codes of the game font
// rasterised into one small texture each, drawn as textured quads with the font
// program. What is shown (label, distance, void level, end messages) and where
// comes in the frame value's HUD lines; the display keeps only its GL objects,
// which it owns (never copied).
class HUD {
public:
    static constexpr unsigned kPixelHeight = 48;
    static constexpr int kGlyphCount = 128;

    // The font is the asset path + "/fonts/screaming_neon.ttf". If FreeType or
    // the font cannot be opened the line goes to `log` and no glyph is built: the
    // display then draws nothing rather than reading from a face that is not
    // there. Blending (alpha, one minus alpha) is switched on for the rest of
    // the game either way.
    HUD(Shader& shader, const glm::vec2& screenSize, const std::string& assetPath, std::ostream& log);
    HUD(const HUD&) = delete;
    HUD& operator=(const HUD&) = delete;

    // Draws `text` with its pen starting at (placement.x, placement.y) window
    // pixels and scale placement.z. The caller has made `shader` current and
    // set its projection.
    void renderText(Shader& shader, const std::string& text, const glm::vec3& colour, const glm::vec3& placement);

    // The lines, with the orthographic projection of `screenSize`.
    void render(const std::vector<HudLine>& lines);

    bool hasFont() const { return !glyphs.empty(); }

    Shader& shader;
    GlyphMap glyphs;  // texture names owned by glyphTextures
    std::vector<GlTexture> glyphTextures;
    glm::vec2 screenSize;  // the render size (the renderer's, when it changes), not the window's
    DynamicQuad drawQuad{DynamicQuad::create("hud quad")};

private:
    void loadGlyphs(const std::string& fontPath, std::ostream& log);
};
