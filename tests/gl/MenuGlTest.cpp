#include <epoxy/gl.h>

#include <memory>

#include "render/HUD.h"
#include "render/MenuOverlay.h"
#include "sim/menu/Menu.h"
#include "sim/view/MenuView.h"
#include "support/GlTest.h"
#include "support/OffscreenTarget.h"
#include "support/ReferencePicture.h"

namespace {

// The first five shipped levels' names in their campaign sets, two of them
// won, with the shipped options.
MenuModel shownModel()
{
    MenuModel model;
    const char* names[] = {"First Steps", "Switchback", "Moonwalk", "Pillar Forest", "Vault Sprint"};
    const char* sets[] = {"First Steps", "First Steps", "Climbs", "Hard Routes", "Hard Routes"};
    for (int i = 0; i < 5; ++i) model.levels.push_back({std::to_string(i), names[i], sets[i], std::nullopt, "", i > 2});
    model.levels[0].bestSeconds = 38.25f;
    model.levels[1].bestSeconds = 71.5f;
    model.options.size = {1280, 720};
    model.sizes = renderSizeChoices({}, model.options.size);
    return model;
}

MenuView viewOf(const Menu& menu)
{
    return {true, menu.screen(), menuScreenTitle(menu.screen()), {}, menu.entries(), menu.focus(),
            "ENTER CHOOSE   ESC BACK"};
}

}  // namespace

using MenuGl = GlTest;

// The title, level select, options and pause menu over a plain backdrop (the
// scene's stand-in), at the smallest and a common render size. The menu is
// laid out for each size, so the two pictures differ only in scale.
TEST_F(MenuGl, ScreensMatchTheirReferencePicturesAtTwoRenderSizes)
{
    Shader font = gameShader("font");
    std::unique_ptr<HUD> hud;
    std::unique_ptr<MenuOverlay> overlay;
    ASSERT_EQ(captureStdout([&] {
                  hud = std::make_unique<HUD>(font, glm::vec2(640.0f, 360.0f),
                                              std::string(VAULTRISE_SOURCE_DIR) + "/assets", std::cout);
                  overlay = std::make_unique<MenuOverlay>();
              }),
              "");
    Menu menu(shownModel());
    const struct {
        const char* name;
        MenuScreen screen;
        int downs;  // focus moved down this many times
    } shots[] = {
        {"menu-title", MenuScreen::Title, 0},
        {"menu-levels", MenuScreen::LevelSelect, 1},
        {"menu-options", MenuScreen::Options, 4},
        {"menu-pause", MenuScreen::Pause, 0},
    };
    for (const auto& [width, height] : {std::pair{640, 360}, {1280, 720}}) {
        OffscreenTarget target(width, height);
        for (const auto& shot : shots) {
            menu.open(shot.screen);
            for (int i = 0; i < shot.downs; ++i) menu.command(MenuCommand::Down);
            glClearColor(0.15f, 0.35f, 0.6f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            const auto w = static_cast<float>(width), h = static_cast<float>(height);
            overlay->draw(*hud, font, layoutMenu(viewOf(menu), w, h), w, h);
            glBindFramebuffer(GL_READ_FRAMEBUFFER, target.framebuffer);
            expectReferencePicture(std::string(shot.name) + "-" + std::to_string(height), width, height);
        }
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

