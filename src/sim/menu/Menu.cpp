#include "sim/menu/Menu.h"

#include <algorithm>
#include <cctype>

#include "sim/frame/GamepadKeys.h"
#include "sim/menu/MenuFocus.h"
#include "sim/settings/ControlRebinding.h"
#include "sim/settings/KeyNames.h"

namespace {

std::string actionNameOf(size_t slot)
{
    for (const ControlAction& action : controlActions())
        if (action.slot == slot) {
            std::string name = action.name;
            for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            return name;
        }
    return "?";
}

std::string keyNameOrNone(KeyboardKey key) { return key == KeyboardKey::None ? KeyBindings::kNoKeyName : keyNameOf(key); }

}  // namespace

void Menu::open(MenuScreen screen)
{
    stack.clear();
    push(screen);
}

void Menu::push(MenuScreen screen)
{
    stopWaiting();
    stack.push_back({screen, 0});
    rebuild();
}

void Menu::setLevels(std::vector<MenuLevel> levels)
{
    model.levels = std::move(levels);
    if (isOpen()) rebuild();
}

void Menu::rebuild()
{
    shown = menuEntries(screen(), model, waiting);
    int& focus = stack.back().focus;
    focus = std::clamp(focus, 0, static_cast<int>(shown.size()) - 1);
    // Level select opens on its first level, under the first set's heading.
    if (!takesFocus(shown[static_cast<size_t>(focus)])) focus = moveFocus(shown, focus, MenuCommand::Down);
}

void Menu::stopWaiting()
{
    waiting = -1;
    waitingPad = false;
}

MenuResult Menu::command(MenuCommand command)
{
    MenuResult result;
    if (!isOpen()) return result;
    if (waiting >= 0) {
        // Only leaving is read while an entry waits; its key comes through keyPressed.
        if (command == MenuCommand::Back) {
            stopWaiting();
            rebuild();
            result.events.push_back(FrameEventKind::MenuBack);
        }
        return result;
    }
    int& focus = stack.back().focus;
    const MenuEntry& here = shown[static_cast<size_t>(focus)];
    switch (command) {
    case MenuCommand::Select: choose(result); break;
    case MenuCommand::Back: leave(result); break;
    case MenuCommand::Left:
    case MenuCommand::Right:
        if (here.action == MenuAction::Option) {
            stepValue(result, command == MenuCommand::Right ? 1 : -1);
            break;
        }
        [[fallthrough]];
    default: {
        const int moved = moveFocus(shown, focus, command);
        if (moved != focus) {
            focus = moved;
            noticeText.clear();
            result.events.push_back(FrameEventKind::MenuMove);
        }
    }
    }
    return result;
}

void Menu::leave(MenuResult& result)
{
    result.events.push_back(FrameEventKind::MenuBack);
    if (stack.size() > 1) {
        stack.pop_back();
        rebuild();
        return;
    }
    switch (screen()) {
    case MenuScreen::Title: result.outcome = MenuOutcome::Quit; break;
    case MenuScreen::Pause:
        result.outcome = MenuOutcome::Resume;
        close();
        break;
    case MenuScreen::RunEnd: push(MenuScreen::LevelSelect); break;
    default:
        // A screen opened on its own has nowhere to go back to: the game goes on.
        result.outcome = MenuOutcome::Resume;
        close();
        break;
    }
}

void Menu::choose(MenuResult& result)
{
    const MenuEntry here = shown[static_cast<size_t>(focus())];
    if (!here.enabled) return;
    result.events.push_back(here.action == MenuAction::Back ? FrameEventKind::MenuBack : FrameEventKind::MenuSelect);
    switch (here.action) {
    case MenuAction::Open: push(here.target); break;
    case MenuAction::Back:
        result.events.pop_back();
        leave(result);
        break;
    case MenuAction::StartLevel:
        result.outcome = MenuOutcome::StartLevel;
        result.level = model.levels[static_cast<size_t>(here.index)].level;
        close();
        break;
    case MenuAction::Resume: result.outcome = MenuOutcome::Resume; close(); break;
    case MenuAction::Restart: result.outcome = MenuOutcome::Restart; close(); break;
    case MenuAction::NextLevel: result.outcome = MenuOutcome::NextLevel; close(); break;
    case MenuAction::Quit: result.outcome = MenuOutcome::Quit; break;
    case MenuAction::Option: stepValue(result, 1); break;
    case MenuAction::BindKey:
    case MenuAction::BindPad:
        waiting = focus();
        waitingPad = here.action == MenuAction::BindPad;
        noticeText.clear();
        rebuild();
        break;
    case MenuAction::ResetControls:
        model.options.keys = KeyBindings::defaults();
        model.options.pad = PadBindings::defaults();
        noticeText = "CONTROLS RESET";
        result.optionsChanged = true;
        rebuild();
        break;
    case MenuAction::Heading: break;
    }
}

void Menu::stepValue(MenuResult& result, int step)
{
    const auto option = static_cast<OptionId>(shown[static_cast<size_t>(focus())].index);
    if (!stepOption(model, option, step)) return;
    result.optionsChanged = true;
    result.events.push_back(FrameEventKind::MenuMove);
    rebuild();
}

MenuResult Menu::keyPressed(KeyboardKey key)
{
    MenuResult result;
    if (!waitingForKey()) return result;
    const size_t slot = static_cast<size_t>(shown[static_cast<size_t>(waiting)].index);
    stopWaiting();
    if (key == KeyboardKey::Escape) {
        result.events.push_back(FrameEventKind::MenuBack);
    } else {
        const auto swapped = rebindKey(model.options.keys, slot, key);
        noticeText = swapped ? actionNameOf(*swapped) + " NOW ON " + keyNameOrNone(model.options.keys.keys[*swapped])
                             : "";
        result.optionsChanged = true;
        result.events.push_back(FrameEventKind::MenuSelect);
    }
    rebuild();
    return result;
}

MenuResult Menu::padButtonPressed(int button)
{
    MenuResult result;
    if (!waitingForButton()) return result;
    const size_t slot = static_cast<size_t>(shown[static_cast<size_t>(waiting)].index);
    stopWaiting();
    // B gives up waiting, as Escape does for a key; the d-pad cannot be bound: it moves.
    if (button == GamepadState::B || !padButtonNamed(padButtonName(button))) {
        result.events.push_back(FrameEventKind::MenuBack);
    } else {
        const auto swapped = rebindPadButton(model.options.pad, slot, button);
        noticeText =
            swapped ? actionNameOf(*swapped) + " NOW ON " + padButtonName(model.options.pad.buttons[*swapped]) : "";
        result.optionsChanged = true;
        result.events.push_back(FrameEventKind::MenuSelect);
    }
    rebuild();
    return result;
}

MenuResult Menu::pointAt(int index)
{
    MenuResult result;
    if (!isOpen() || waiting >= 0 || index < 0 || index >= static_cast<int>(shown.size()) ||
        !takesFocus(shown[static_cast<size_t>(index)]))
        return result;
    if (index != focus()) {
        stack.back().focus = index;
        result.events.push_back(FrameEventKind::MenuMove);
    }
    return result;
}
