#include "render/HUD.h"

#include <epoxy/gl.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <ostream>

#include <glm/gtc/matrix_transform.hpp>

#include "core/FileCheck.h"
#include "render/Shader.h"
#include "render/TextLayout.h"

HUD::HUD(Shader& fontShader, const glm::vec2& size, const std::string& assetPath, std::ostream& log)
    : shader(fontShader), screenSize(size)
{
    // Glyph bitmaps are one byte per pixel with rows of any width; the setting
    // stays for every later upload.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    loadGlyphs(assetPath + "/fonts/screaming_neon.ttf", log);

    // Text and particles are blended over the scene; nothing switches it off.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void HUD::loadGlyphs(const std::string& fontPath, std::ostream& log)
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library)) {
        log << "Failed to initialize FreeType Library\n";
        return;
    }
    // Opened once and read whole through the file checks; FreeType reads the
    // bytes, which outlive the face, and never opens the path again.
    const CheckedFile font = readCheckedFile(fontPath, FileKind::Font, log);
    FT_Face face = nullptr;
    if (!font.bytes || FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte*>(font.bytes->data()),
                                          static_cast<FT_Long>(font.bytes->size()), 0, &face)) {
        log << "Failed to load font for FreeType Library\n";
        FT_Done_FreeType(library);
        return;
    }
    FT_Set_Pixel_Sizes(face, 0, kPixelHeight);

    for (int c = 0; c < kGlyphCount; ++c) {
        // A glyph that fails keeps whatever the slot last held, as FreeType leaves it.
        if (FT_Load_Char(face, static_cast<FT_ULong>(c), FT_LOAD_RENDER))
            log << "Failed to load glyph for FreeType Library\n";
        const FT_GlyphSlot slot = face->glyph;

        const GlTexture& texture = glyphTextures.emplace_back(GlTexture::create());
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, static_cast<GLsizei>(slot->bitmap.width),
                     static_cast<GLsizei>(slot->bitmap.rows), 0, GL_RED, GL_UNSIGNED_BYTE, slot->bitmap.buffer);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

        glyphs.insert({static_cast<char>(c),
                       Glyph{texture.get(),
                             {static_cast<int>(slot->bitmap.width), static_cast<int>(slot->bitmap.rows)},
                             {slot->bitmap_left, slot->bitmap_top},
                             static_cast<uint32_t>(slot->advance.x)}});
    }
    glBindTexture(GL_TEXTURE_2D, 0);

    FT_Done_Face(face);
    FT_Done_FreeType(library);

    // A truncated font file still opens, but every glyph comes out empty: it
    // is reported as the font that failed to load, and no text is drawn.
    if (std::all_of(glyphs.begin(), glyphs.end(), [](const auto& entry) { return entry.second.size.x == 0; })) {
        log << "Failed to load font for FreeType Library\n";
        glyphs.clear();
        glyphTextures.clear();
    }
}

void HUD::renderText(Shader& textShader, const std::string& text, const glm::vec3& colour, const glm::vec3& placement)
{
    textShader.setVec3("textColor", colour);
    glActiveTexture(GL_TEXTURE0);
    glBindVertexArray(drawQuad.vao);

    float x = placement.x;
    for (const char c : text) {
        const GlyphQuad quad = layoutGlyph(glyphFor(glyphs, c), x, placement.y, placement.z);
        glBindTexture(GL_TEXTURE_2D, glyphFor(glyphs, c).textureId);
        glBindBuffer(GL_ARRAY_BUFFER, drawQuad.vbo);
        glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(quad.vertices), quad.vertices.data());
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glDrawArrays(GL_TRIANGLES, 0, 6);
        x += quad.advance;
    }
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void HUD::render(const std::vector<HudLine>& lines)
{
    if (!hasFont()) return;
    const glm::mat4 projection = glm::ortho(0.0f, screenSize.x, 0.0f, screenSize.y, -1.0f, 1.0f);
    shader.use();
    shader.setMat4("projection", projection);
    for (const HudLine& line : lines)
        renderText(shader, line.text, line.colour, glm::vec3(line.x, line.y, line.scale));
}
