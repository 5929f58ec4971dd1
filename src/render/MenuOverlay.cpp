#include "render/MenuOverlay.h"

#include <epoxy/gl.h>

#include <array>

#include <glm/gtc/matrix_transform.hpp>

#include "render/HUD.h"
#include "render/Shader.h"
#include "sim/view/MenuView.h"

MenuOverlay::MenuOverlay()
{
    white = GlTexture::create();
    white.label("menu white");
    const unsigned char full = 255;
    glBindTexture(GL_TEXTURE_2D, white);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, 1, 1, 0, GL_RED, GL_UNSIGNED_BYTE, &full);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void MenuOverlay::draw(HUD& hud, Shader& shader, const MenuPicture& picture, float width, float height)
{
    if (picture.quads.empty()) return;
    const GLboolean depthWasOn = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_DEPTH_TEST);
    shader.use();
    shader.setMat4("projection", glm::ortho(0.0f, width, 0.0f, height, -1.0f, 1.0f));

    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, white);
    glBindVertexArray(drawQuad.vao);
    glBindBuffer(GL_ARRAY_BUFFER, drawQuad.vbo);
    for (const MenuQuad& quad : picture.quads) {
        const MenuRect& r = quad.rect;
        const std::array<float, 24> vertices = {r.x, r.y + r.height, 0, 0, r.x, r.y, 0, 0, r.x + r.width, r.y, 0, 0,
                                                r.x, r.y + r.height, 0, 0, r.x + r.width, r.y, 0, 0,
                                                r.x + r.width, r.y + r.height, 0, 0};
        shader.setVec3("textColor", glm::vec3(quad.colour));
        shader.setFloat("opacity", quad.colour.a);
        glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(vertices), vertices.data());
        glDrawArrays(GL_TRIANGLES, 0, 6);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    shader.setFloat("opacity", 1.0f);

    if (hud.hasFont())
        for (const MenuText& text : picture.texts)
            hud.renderText(shader, text.text, text.colour, glm::vec3(text.x, text.y, text.scale));
    if (depthWasOn) glEnable(GL_DEPTH_TEST);
}
