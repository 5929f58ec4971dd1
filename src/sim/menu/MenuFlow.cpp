#include "sim/menu/MenuFlow.h"

#include "sim/settings/SettingsOverlay.h"

MenuFlow::MenuFlow(MenuModel model, std::optional<std::filesystem::path> overlay,
                   std::function<void(const PlayerOptions&)> apply, std::ostream& log)
    : menu(std::move(model)), overlay(std::move(overlay)), apply(std::move(apply)), log(log)
{
}

void MenuFlow::open(MenuScreen screen, MenuButtons heldNow)
{
    menu.open(screen);
    input.holdAll(heldNow);
}

void MenuFlow::merge(MenuResult& into, const MenuResult& from)
{
    if (from.outcome != MenuOutcome::None) {
        into.outcome = from.outcome;
        into.level = from.level;
    }
    into.optionsChanged = into.optionsChanged || from.optionsChanged;
    into.events.insert(into.events.end(), from.events.begin(), from.events.end());
}

MenuResult MenuFlow::frame(const MenuFrameInput& in, float deltaTime, float width, float height)
{
    MenuResult result;
    if (!menu.isOpen()) return result;
    if (menu.waitingForKey() && in.keyPressed) {
        merge(result, menu.keyPressed(*in.keyPressed));
        input.holdAll(in.held);  // the key just bound does not also act in the menu
    } else if (menu.waitingForButton() && in.padButtonPressed) {
        merge(result, menu.padButtonPressed(*in.padButtonPressed));
        input.holdAll(in.held);
    } else {
        if (in.pointer || in.clicked) {
            const MenuPicture picture = layoutMenu(view(""), width, height);
            const auto [x, y] = in.pointer.value_or(std::pair{-1.0f, -1.0f});
            const int under = in.pointer ? menuEntryAt(picture, x, y) : -1;
            if (under >= 0) merge(result, menu.pointAt(under));
            if (in.clicked && under >= 0) merge(result, menu.command(MenuCommand::Select));
        }
        for (const MenuCommand command : input.frame(in.held, deltaTime)) {
            if (!menu.isOpen() || result.outcome != MenuOutcome::None) break;
            merge(result, menu.command(command));
            if (menu.waitingForKey() || menu.waitingForButton()) {
                input.holdAll(in.held);  // the Enter that chose the entry is not the key it waits for
                break;
            }
        }
    }
    if (result.optionsChanged) {
        const PlayerOptions& options = menu.state().options;
        if (apply) apply(options);
        if (overlay) writeSettingsOverlay(*overlay, options.overlayValues(), log);
    }
    return result;
}

MenuView MenuFlow::view(const std::string& gameTitle) const
{
    MenuView v;
    if (!menu.isOpen()) return v;
    v.shown = true;
    v.screen = menu.screen();
    v.title = menu.screen() == MenuScreen::Title && !gameTitle.empty() ? gameTitle : menuScreenTitle(menu.screen());
    v.entries = menu.entries();
    v.focus = menu.focus();
    if (menu.screen() == MenuScreen::RunEnd) {
        const RunSummary& run = menu.state().run;
        v.title = run.won ? "ESCAPED!" : "CAUGHT BY THE VOID";
        if (run.won) {
            v.notes.push_back("TIME " + runTimeText(run.seconds) + (run.newBest ? "  NEW BEST" : ""));
            if (!run.medal.empty()) v.notes.push_back(run.medal + " MEDAL");
        }
    }
    if (!menu.notice().empty()) v.notes.push_back(menu.notice());
    v.hint = menu.waitingForKey()      ? "PRESS A KEY   ESC CANCEL"
             : menu.waitingForButton() ? "PRESS A BUTTON   B CANCEL"
                                       : "ENTER CHOOSE   ESC BACK";
    return v;
}
