#pragma once
#include "render/DynamicQuad.h"
#include "render/GlObject.h"

class HUD;
class Shader;
struct MenuPicture;

// Draws a laid-out menu over the frame: the dimming, the panel and the focus
// bar as flat quads, then the strings in the game font. Quads use the font
// program with a one-pixel white texture, so the menu needs no program of
// its own. Drawn into the HDR target like the HUD, so the composite treats
// both alike; the depth test is off while it draws.
class MenuOverlay {
public:
    MenuOverlay();
    MenuOverlay(const MenuOverlay&) = delete;
    MenuOverlay& operator=(const MenuOverlay&) = delete;

    // `width` × `height` is the size the picture was laid out for (the render size).
    void draw(HUD& hud, Shader& fontShader, const MenuPicture& picture, float width, float height);

private:
    GlTexture white;
    DynamicQuad drawQuad{DynamicQuad::create("menu quad")};
};
