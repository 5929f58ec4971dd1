#pragma once
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>

#include "sim/menu/Menu.h"
#include "sim/menu/MenuInput.h"
#include "sim/view/MenuView.h"

// The menus as the run sees them: the menu state, its input (with repeat on
// the frame clock), the options saved to the player's overlay and handed to
// whoever applies them at once, and the view the renderer draws.
class MenuFlow {
public:
    // `overlay`: where the options are saved (none: kept for this run only).
    // `apply` is called with the options each time one changes.
    MenuFlow(MenuModel model, std::optional<std::filesystem::path> overlay,
             std::function<void(const PlayerOptions&)> apply, std::ostream& log);

    // The screens the run opens: keys held as it opens (the P or Escape that
    // opened it) do not act in it.
    void open(MenuScreen screen, MenuButtons heldNow);
    // How the last run ended, for the end-of-run menu.
    void setRun(const RunSummary& run) { menu.setRun(run); }
    bool isOpen() const { return menu.isOpen(); }
    const Menu& state() const { return menu; }
    void setLevels(std::vector<MenuLevel> levels) { menu.setLevels(std::move(levels)); }

    // One frame of input; `width` × `height` is the render size the pointer is measured in.
    MenuResult frame(const MenuFrameInput& input, float deltaTime, float width, float height);

    // What the renderer draws; `shown` is false while no menu is open.
    MenuView view(const std::string& gameTitle) const;

private:
    void merge(MenuResult& into, const MenuResult& from);

    Menu menu;
    MenuInput input;
    std::optional<std::filesystem::path> overlay;
    std::function<void(const PlayerOptions&)> apply;
    std::ostream& log;
};
