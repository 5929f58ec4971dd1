#pragma once
#include <string>
#include <vector>

#include "sim/frame/FrameEvent.h"
#include "sim/menu/MenuModel.h"

// What a menu's input came to for whoever runs the game.
enum class MenuOutcome : uint8_t { None, StartLevel, Resume, Restart, NextLevel, Quit };
struct MenuResult {
    MenuOutcome outcome = MenuOutcome::None;
    std::string level;            // for StartLevel: the level setting
    bool optionsChanged = false;  // an option or a binding changed: apply and save
    std::vector<FrameEventKind> events;  // MenuMove, MenuSelect, MenuBack, in order
};

// The menus' state: the screens open (each over the one it was opened from),
// the focus on each, and a controls entry waiting for its key. It knows
// nothing of windows or drawing: input arrives as commands and pressed codes,
// and whoever runs the game acts on the outcome.
//
// Leaving a screen returns to the one below; leaving the last one is the
// screen's own way out: the title quits, the pause menu resumes, and the
// end-of-run menu opens level select.
class Menu {
public:
    explicit Menu(MenuModel model) : model(std::move(model)) {}

    void open(MenuScreen screen);  // the only screen open, focus on its first entry
    void close() { stack.clear(); }
    bool isOpen() const { return !stack.empty(); }
    MenuScreen screen() const { return stack.back().screen; }
    int focus() const { return stack.back().focus; }
    const std::vector<MenuEntry>& entries() const { return shown; }
    const std::string& notice() const { return noticeText; }  // what the last rebinding swapped
    bool waitingForKey() const { return waiting >= 0 && !waitingPad; }
    bool waitingForButton() const { return waiting >= 0 && waitingPad; }

    MenuResult command(MenuCommand command);
    // The key or pad button pressed while an entry waits for
    // one; Escape (for a key) or the pad's B (for a button) gives up waiting,
    // so neither can be bound from the menu (the settings file can).
    MenuResult keyPressed(KeyboardKey key);
    MenuResult padButtonPressed(int button);
    // The pointer over entry `index` focuses it.
    MenuResult pointAt(int index);

    const MenuModel& state() const { return model; }
    void setLevels(std::vector<MenuLevel> levels);
    void setRun(const RunSummary& run) { model.run = run; }

private:
    struct OpenScreen {
        MenuScreen screen;
        int focus;
    };
    void push(MenuScreen screen);
    void leave(MenuResult& result);
    void choose(MenuResult& result);
    void stepValue(MenuResult& result, int step);
    void rebuild();
    void stopWaiting();

    MenuModel model;
    std::vector<OpenScreen> stack;
    std::vector<MenuEntry> shown;
    int waiting = -1;  // the entry waiting for a key or button
    bool waitingPad = false;
    std::string noticeText;
};
