#include "sim/frame/RunFlow.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <string>

#include <glm/gtc/matrix_transform.hpp>

#include "sim/campaign/Campaign.h"
#include "sim/frame/FrameHost.h"
#include "sim/frame/GameSession.h"
#include "sim/ghost/GhostRace.h"
#include "sim/replay/FrameRecord.h"
#include "sim/replay/ReplayPlayback.h"
#include "sim/menu/LevelList.h"
#include "sim/menu/MenuFlow.h"
#include "sim/records/BestTimes.h"
#include "sim/records/Medals.h"
#include "sim/records/LevelProgress.h"
#include "sim/replay/ReplayWriter.h"
#include "sim/view/FrameView.h"

namespace {

// What a decided game offers when it stays open.
constexpr const char* kRetryLine = "R: retry \u00b7 N: next level \u00b7 Esc: quit";
constexpr const char* kRetryNote = "R: RETRY   N: NEXT LEVEL   ESC: QUIT";

bool decidedIn(const FrameView& view)
{
    return std::any_of(view.events.begin(), view.events.end(), [](const FrameEvent& e) {
        return e.kind == FrameEventKind::GoalReached || e.kind == FrameEventKind::VoidReached;
    });
}

}  // namespace

RunFlow::RunFlow(std::unique_ptr<GameSession> first, RunRules runRules, std::ostream& log)
    : rules(std::move(runRules)),
      log(log),
      current(std::move(first)),
      wins(rules.keepsBestTimes ? rules.recordsPath : std::nullopt,
           rules.keepsBestTimes ? rules.bestRunFolder : std::nullopt, rules.settingsPath)
{
    if (rules.menus) {
        menus = std::make_unique<MenuFlow>(rules.menus->model, rules.menus->overlayPath, rules.menus->optionsChanged,
                                           log);
        if (rules.menus->opensOnTitle) openMenu(MenuScreen::Title, 0);
    }
    // The level behind the title is never played, so never recorded.
    if (rules.startRecording && !menuOpen()) recorder = rules.startRecording(*current, sessionsOpened);
    startKeepingRun();
    ghostWanted = rules.racesGhost && current->config.ghost != GhostChoice::Off;
    startGhost(current->config.ghost);
}

RunFlow::~RunFlow() = default;

void RunFlow::afterFrame(FrameView& view, KeyMask keysRead, FrameHost& host)
{
    GameSession& s = *current;
    const ReplayFrame frame = recordedFrame(s, keysRead);
    if (recorder) recorder->append(frame);
    if (run) appendFrame(run->frames, frame);
    raceGhost(view);
    if (s.gameManager.gameState == Won && !timeKept) {
        timeKept = true;
        newBest = keepBestTime();
        if (newBest) view.events.push_back({FrameEventKind::NewBestTime, 0.0f, view.characterPosition});
        if (menus) keepLevelWon();
    }
    if (!s.config.debug && !decisionTaken && decidedIn(view)) decided(host, newBest);
    // What follows the deciding frame (the end screen, a wait before R) changes
    // no outcome: the recording ends with it, and a game left open stays small.
    if (decisionTaken) recorder.reset();
    if (rules.sessionKeys) chosen = sessionKeys.afterFrame(keysRead, s.frame.warmUpOver());
}

// A won run's time against the level's best, its medal and, for a new best,
// its replay. Without a folder for the records the time is only shown.
bool RunFlow::keepBestTime()
{
    if (practising && rules.offerRetry) {
        char shown[32];
        std::snprintf(shown, sizeof shown, "%.2f", static_cast<double>(current->frame.playTime));
        log << "Time: " << shown << " s (practice: no record, no medal)\n";
        current->hud.notes.push_back(std::string("TIME ") + shown + " S  PRACTICE");
    }
    if (!rules.keepsBestTimes) return false;
    return wins.keep(*current, run ? &*run : nullptr, rules.offerRetry, log);
}

// A new best's replay is the session's frames from its first: kept in memory
// only where it would be written.
void RunFlow::startKeepingRun()
{
    run.reset();
    if (!rules.keepsBestTimes || !rules.bestRunFolder) return;
    run = Replay{recordingHeader(*current), {}, false};
}

// The ghost of the session's level: the settings' choice or, when they race
// none, the best run, else the proof run. None when the run races no ghost or
// there is no run to race.
void RunFlow::startGhost(GhostChoice choice)
{
    ghost.reset();
    if (!ghostWanted) return;
    const StartupConfig& c = current->config;
    std::optional<Replay> raced = ghostReplay(choice == GhostChoice::Off ? GhostChoice::Best : choice, c,
                                              rules.settingsPath, rules.bestRunFolder, log);
    if (!raced && choice == GhostChoice::Off)
        raced = ghostReplay(GhostChoice::Author, c, rules.settingsPath, rules.bestRunFolder, log);
    if (raced) ghost = std::make_unique<GhostRace>(std::move(*raced), rules.settingsPath, c.levelFilePath());
}

void RunFlow::practise()
{
    practising = true;
    rules.keepsBestTimes = false;
    rules.offerRetry = current->config.retry;
    ghost.reset();
    current->hud.practice = true;
}

void RunFlow::toggleGhost()
{
    if (!rules.racesGhost) return;
    ghostWanted = !ghostWanted;
    if (ghost) {
        ghost->toggle();
    } else if (ghostWanted) {
        startGhost(GhostChoice::Off);
        if (ghost) ghost->catchUp(*current);
    }
}

// The ghost moves on to the live run's play time and is drawn as one more
// object, after the scene's; the HUD gives the gap while it is raced.
void RunFlow::raceGhost(FrameView& view)
{
    if (!ghost) return;
    ghost->afterFrame(*current);
    current->hud.ghostGap = ghost->gapText();
    if (const auto at = ghost->shownPosition()) {
        DrawnObject drawn;
        drawn.kind = ObjectKind::Ghost;
        drawn.transform = glm::translate(glm::mat4(1.0f), *at);
        view.objects.push_back(drawn);
    }
}

// Outside debug mode a decided game either offers what comes next or closes the window.
void RunFlow::decided(FrameHost& host, bool newBestTime)
{
    decisionTaken = true;
    if (menus) {
        const GameSession& s = *current;
        const bool won = s.gameManager.gameState == Won;
        menus->setRun({won, s.frame.playTime, newBestTime, won ? medalOf(s.config.levelFilePath(), s.frame.playTime) : ""});
        openMenu(MenuScreen::RunEnd, host.menuHeld());
        return;
    }
    if (!rules.offerRetry) {
        host.requestClose();
        return;
    }
    if (practising) return;  // a practice run stays open for its time; Escape quits
    log << kRetryLine << "\n";
    current->hud.notes.push_back(kRetryNote);
}

void RunFlow::openNextSession()
{
    const auto begun = std::chrono::steady_clock::now();
    StartupConfig config = current->config;
    // The warm-up covers start-up's loading; a restart loads nothing.
    config.loadTime = 0;
    if (chosenLevel) config.level = *chosenLevel;
    if (menus) menus->state().state().options.applyTo(config);
    if (chosen == SessionKeys::Next) {
        config.level = levelAfter(
            config,
            [&](const std::string& level) {
                StartupConfig probe = config;
                probe.level = level;
                return std::filesystem::is_regular_file(probe.levelFilePath());
            },
            log);
    }
    // A level chosen in level select is a new start, not a restart.
    open(config, chosen == SessionKeys::Retry && !chosenLevel);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - begun;
    log << "Level " << config.level << " started in " << static_cast<int>(took.count()) << " ms\n";
    if (rules.startRecording) recorder = rules.startRecording(*current, ++sessionsOpened);
}

void RunFlow::restart()
{
    const StartupConfig config = current->config;  // the session it belongs to goes first
    open(config, true);
}

void RunFlow::open(const StartupConfig& config, bool restarted)
{
    recorder.reset();
    current.reset();
    current = rules.openSession(config);
    current->announceRestart = restarted;
    chosen = SessionKeys::None;
    chosenLevel.reset();
    timeKept = newBest = decisionTaken = false;
    startKeepingRun();
    startGhost(current->config.ghost);
    if (rules.sessionOpened) rules.sessionOpened(*current);
}

// With the menus, a won level opens the next one in level select.
void RunFlow::keepLevelWon()
{
    if (!rules.menus->progressPath) return;
    LevelProgress progress(*rules.menus->progressPath);
    progress.load(log);
    progress.markWon(progressName(current->config.level), log);
}

// A time's medal on a level as the menus show it: the proof run's time is
// played once per level file and kept.
std::string RunFlow::medalOf(const std::string& levelPath, float seconds)
{
    const Medal medal = medalFor(seconds, wins.authorTimeOf(levelPath));
    if (medal == Medal::None) return "";
    std::string name = medalName(medal);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

bool RunFlow::menuOpen() const { return menus && menus->isOpen(); }

void RunFlow::openMenu(MenuScreen screen, MenuButtons heldNow)
{
    if (!menus) return;
    const StartupConfig& config = current->config;
    // The records and the progress say what is wrong with them when they are written.
    std::ostringstream quiet;
    std::optional<BestTimes> times;
    if (rules.recordsPath) {
        times.emplace(*rules.recordsPath);
        if (!times->load(quiet)) times.reset();
    }
    LevelProgress progress(rules.menus->progressPath.value_or(""));
    if (rules.menus->progressPath) progress.load(quiet);
    // A campaign file that cannot be read says so when N reads it.
    const Campaign campaign = campaignOf(config, quiet);
    menus->setLevels(listLevels(config, installedLevelSets(config, campaign), times ? &*times : nullptr, progress,
                                rules.menus->unlockAll || config.debug,
                                [this](const std::string& path, float seconds) { return medalOf(path, seconds); },
                                campaign));
    menus->open(screen, heldNow);
}

MenuResult RunFlow::menuFrame(const MenuFrameInput& input, float deltaTime, FrameHost& host)
{
    if (!menuOpen()) return {};
    const StartupConfig& config = current->config;
    MenuResult result = menus->frame(input, deltaTime, static_cast<float>(config.renderWidth),
                                     static_cast<float>(config.renderHeight));
    // The camera, the HUD and the menus on screen take a new render size at once.
    if (result.optionsChanged) menus->state().state().options.applySizeTo(current->config);
    switch (result.outcome) {
    case MenuOutcome::StartLevel:
        chosenLevel = result.level;
        chosen = SessionKeys::Retry;
        break;
    case MenuOutcome::Restart: chosen = SessionKeys::Retry; break;
    case MenuOutcome::NextLevel: chosen = SessionKeys::Next; break;
    case MenuOutcome::Quit: host.requestClose(); break;
    case MenuOutcome::Resume:
    case MenuOutcome::None: break;
    }
    return result;
}

MenuView RunFlow::menuView() const { return menus ? menus->view(current->config.title) : MenuView{}; }

const PlayerOptions* RunFlow::menuOptions() const { return menus ? &menus->state().state().options : nullptr; }
