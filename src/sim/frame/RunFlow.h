#pragma once
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>

#include "sim/frame/Key.h"
#include "sim/frame/SessionStart.h"
#include "sim/records/WinKeeper.h"
#include "sim/replay/ReplayFile.h"
#include "sim/menu/Menu.h"
#include "sim/menu/MenuInput.h"
#include "sim/view/MenuView.h"

class FrameHost;
class GameSession;
class GhostRace;
class MenuFlow;
class ReplayWriter;
struct FrameView;
struct StartupConfig;

// The menus of a run that has them ([general] menu): the title, level
// select, the pause and end-of-run menus and the options.
struct MenuRules {
    // The run opens on the title (the command line named nothing to play);
    // the first session only shows its level behind it and is never played.
    bool opensOnTitle = false;
    // Every level is open in level select (testers, debug mode).
    bool unlockAll = false;
    // Where the levels won are kept (none: every level but the first stays locked).
    std::optional<std::filesystem::path> progressPath;
    // Where the options are saved (none: they hold for this run only).
    std::optional<std::filesystem::path> overlayPath;
    // The options as the settings give them, and the render sizes offered.
    MenuModel model;
    // An option changed: whoever can applies it at once (volumes, bloom, keys,
    // the render size; the session on screen takes the size itself).
    std::function<void(const PlayerOptions&)> optionsChanged;
};

// What a run allows around its sessions. The game itself keeps records, offers
// a retry when its settings say so, answers R and N and records every session;
// a replay, the benchmark and a run without a window only play one session and
// end it when the game is decided.
struct RunRules {
    // A decided game (outside debug mode) stays open and offers R, N and
    // Escape instead of closing the window; the time of a win is shown.
    bool offerRetry = false;
    // R and N end the session and open the same level again or the next one.
    bool sessionKeys = false;
    // A win's time is offered to the records at `recordsPath` (none: the
    // time is only shown).
    bool keepsBestTimes = false;
    std::optional<std::filesystem::path> recordsPath;
    // Where a new best run's replay is kept for the ghost (none: not kept).
    std::optional<std::filesystem::path> bestRunFolder;
    // The settings file the sessions are read from: the kept replays' header
    // names its catalogue, and the proof runs that set the medals must match it.
    std::string settingsPath;
    // The settings' ghost ([general] ghost) is raced, and G shows or hides it.
    bool racesGhost = false;
    // Starts recording a new session, the run's `number`th (from 1); null (or
    // a null writer): not recorded. The recording ends with the frame that
    // decides the game.
    std::function<std::unique_ptr<ReplayWriter>(const GameSession&, int number)> startRecording;
    // Builds a new session from the level's files (R, N and restarts).
    std::function<std::unique_ptr<GameSession>(const StartupConfig&)> openSession;
    // The new session is open and about to play its first frame (the window
    // points its mouse and its renderer at it).
    std::function<void(GameSession&)> sessionOpened;
    // The menus; none: the run plays as it always did.
    std::optional<MenuRules> menus;
};

// The simulation's side of everything around a session: what a frame's end
// means for the run (keep a best time, offer a retry or close the window,
// record the frame) and which session comes next. Whoever runs the frames
// carries out what it decides: draw, open the next session, close the window.
class RunFlow {
public:
    RunFlow(std::unique_ptr<GameSession> first, RunRules rules, std::ostream& log);
    ~RunFlow();
    RunFlow(const RunFlow&) = delete;
    RunFlow& operator=(const RunFlow&) = delete;

    GameSession& session() { return *current; }
    const GameSession& session() const { return *current; }

    // After each frame, in the game's order: the frame is recorded (paused
    // frames as such, and none after the deciding one), a win's
    // time is offered to the records (once), a decided game offers the retry
    // or closes the window through `host`, and R or N choose the next session.
    // `keysRead` are the keys the frame read (none in the warm-up).
    // A record saved adds NewBestTime to the frame's events.
    void afterFrame(FrameView& view, KeyMask keysRead, FrameHost& host);

    // G: hides or shows the ghost. With none raced yet (the settings' ghost
    // is off, or there was nothing to race), brings in the best run, else the
    // level's proof run, played up to the live run at once.
    void toggleGhost();

    // A replay taken over: from now on the run is practice. A win's time is
    // shown (when the settings keep a decided game open, which a practice run
    // then does, with Escape to quit) and never kept as a record or a medal.
    void practise();

    // What the run flow decided for the next session: none while this one plays on.
    SessionKeys::Choice next() const { return chosen; }
    // Opens the session `next` chose: the same level or the next one that
    // exists, with no warm-up (a restart loads nothing), timed in one line.
    void openNextSession();
    // The same level again from its files, as at start-up (a run without a
    // window restarting); the first frame lists LevelRestarted.
    void restart();

    // The menus. A menu open stops the session: whoever runs the frames runs
    // none of it and shows the last picture under the menu.
    bool hasMenus() const { return menus != nullptr; }
    bool menuOpen() const;
    // Opens `screen` as the only menu, level select read afresh (records and
    // locks change as the player wins); `heldNow` are the menu buttons held
    // as it opens, which do not act in it.
    void openMenu(MenuScreen screen, MenuButtons heldNow);
    // One frame of the open menu: a level chosen, a restart or the next level
    // make `next` choose that session; Quit closes the window through `host`.
    MenuResult menuFrame(const MenuFrameInput& input, float deltaTime, FrameHost& host);
    // The options as the menus hold them; null without menus.
    const PlayerOptions* menuOptions() const;
    // What the renderer draws of the menus (not shown while none is open).
    MenuView menuView() const;

private:
    void open(const StartupConfig& config, bool restarted);
    bool keepBestTime();  // true when the time was saved as a new best
    void startKeepingRun();
    void startGhost(GhostChoice choice);
    void raceGhost(FrameView& view);
    void decided(FrameHost& host, bool newBest);
    void keepLevelWon();
    std::string medalOf(const std::string& levelPath, float seconds);

    RunRules rules;
    std::ostream& log;
    std::unique_ptr<GameSession> current;
    std::unique_ptr<ReplayWriter> recorder;
    WinKeeper wins;
    // The session's frames so far, kept when a new best's replay would be kept.
    std::optional<Replay> run;
    std::unique_ptr<GhostRace> ghost;
    bool practising = false;
    bool ghostWanted = false;  // the settings' ghost, or G: each new session races one
    SessionKeys sessionKeys;
    SessionKeys::Choice chosen = SessionKeys::None;
    std::optional<std::string> chosenLevel;  // a level chosen in level select
    std::unique_ptr<MenuFlow> menus;
    int sessionsOpened = 1;
    bool timeKept = false;
    bool newBest = false;
    bool decisionTaken = false;
};
