// The run flow: what a frame's end means for the run (the retry offer or a
// closed window, a best time kept, the frame recorded) and which session
// comes next, driven frame by frame as the game drives it.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/ContentHash.h"
#include "sim/frame/FrameClock.h"
#include "sim/frame/FrameDriver.h"
#include "sim/frame/GameSession.h"
#include "sim/frame/RunFlow.h"
#include "sim/records/BestRuns.h"
#include "sim/replay/ReplayFile.h"
#include "sim/replay/ReplayPlayback.h"
#include "sim/replay/ReplayStore.h"
#include "sim/replay/ReplayWriter.h"
#include "sim/run/ScriptedHost.h"
#include "sim/view/FrameView.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

namespace {

// The character starts inside the goal: the first frame of play wins.
const std::string kWinAtOnce = "[general]\nname = Tiny\n[world]\ncharStartY = 3\ncharStartZ = 0\n[goal]\ngoalY = 3\n";
const std::string kQuiet = "[world]\ncharStartY = 3\ncharStartZ = 0\n[goal]\ngoalX = 100\ngoalY = 100\n";

// A game folder with level files 0 and 3, played through the frame driver as the window plays it.
struct Game {
    explicit Game(const std::string& level0, RunRules extra = {}, const std::string& settings = "")
    {
        folder = freshFolder("runflow");
        fs::create_directories(folder / "settings");
        std::ofstream(folder / "settings" / "level0.ini") << level0;
        std::ofstream(folder / "settings" / "level3.ini") << kQuiet;
        settingsPath = (folder / "settings.ini").string();
        std::ofstream(settingsPath) << "[general]\nassetPath = " << folder.string() << "\nlevel = 0\nloadTime = 2\n"
                                    << "[elements]\ngoalX = 6\n" << settings;
        IniFile file(settingsPath, log);
        const StartupConfig config = StartupConfig::read(file, log);
        RunRules rules = std::move(extra);
        rules.settingsPath = settingsPath;
        rules.openSession = [this](const StartupConfig& c) { return openSession(c, settingsPath, c.levelFilePath(), log); };
        flow = std::make_unique<RunFlow>(openSession(config, settingsPath, config.levelFilePath(), log), std::move(rules), log);
        driver = std::make_unique<FrameDriver>(*flow, host, clock);
        log.str("");
    }
    // One frame with exactly these keys held; the lines it wrote.
    std::string frame(const std::vector<Key>& keys = {}, float deltaTime = 1.0f / 60.0f)
    {
        host.hold(keys);
        clock.advance(deltaTime);
        events.clear();
        for (const FrameEvent& e : driver->frame().events) events.push_back(e.kind);
        std::string lines = log.str();
        log.str("");
        return lines;
    }
    bool saw(FrameEventKind kind) const { return std::count(events.begin(), events.end(), kind) > 0; }
    const std::vector<std::string>& notes() { return flow->session().hud.notes; }

    fs::path folder;
    std::string settingsPath;
    std::ostringstream log;
    ScriptedHost host;
    ScriptClock clock;
    std::unique_ptr<RunFlow> flow;
    std::unique_ptr<FrameDriver> driver;
    std::vector<FrameEventKind> events;
};

const char* kRetryLine = "R: retry \u00b7 N: next level \u00b7 Esc: quit\n";

}  // namespace

TEST(RunFlow, ADecidedGameClosesTheWindowUnlessItOffersTheRetryAndDebugModeDoesNeither)
{
    struct Case {
        bool offerRetry;
        const char* settings;
        bool closes;
        std::string lines;
    } cases[] = {
        {false, "", true, "SUCCESSFULLY ESCAPED THE VOID!\n"},
        {true, "", false, std::string("SUCCESSFULLY ESCAPED THE VOID!\n") + kRetryLine},
        {true, "[debug]\ndebug = true\n", false, "SUCCESSFULLY ESCAPED THE VOID!\n"},
    };
    for (const Case& c : cases) {
        RunRules rules;
        rules.offerRetry = c.offerRetry;
        Game game(kWinAtOnce, std::move(rules), c.settings);
        game.frame(), game.frame();  // the warm-up
        EXPECT_EQ(game.frame({Key::Space}), c.lines) << c.settings;
        EXPECT_TRUE(game.saw(FrameEventKind::GoalReached));
        EXPECT_EQ(game.host.closing, c.closes) << c.offerRetry << c.settings;
        const bool noted = std::count(game.notes().begin(), game.notes().end(), "R: RETRY   N: NEXT LEVEL   ESC: QUIT");
        EXPECT_EQ(noted, c.offerRetry && !c.closes && !*c.settings);
        EXPECT_EQ(game.frame(), "") << "offered once";
    }
}

TEST(RunFlow, NOpensTheNextLevelOfTheCampaignTheSettingsNameAndEverySessionIsRecordedOnItsOwn)
{
    const fs::path replays = freshFolder("runflow_replays");
    int recordings = 0;
    std::vector<GameSession*> opened;
    RunRules rules;
    rules.sessionKeys = true;
    // As --record FILE does: the later sessions go beside the first.
    rules.startRecording = [&](const GameSession& session, int number) {
        EXPECT_EQ(number, ++recordings);
        return std::make_unique<ReplayWriter>(namedRunFile(replays / "run.replay", number), recordingHeader(session),
                                              std::cerr);
    };
    rules.sessionOpened = [&](GameSession& session) { opened.push_back(&session); };
    Game game(kQuiet, std::move(rules), "[general]\ncampaign = order.ini\n");
    std::ofstream(game.folder / "settings" / "order.ini") << "[campaign]\nsets = 1\n[set1]\nlevels = 0 7 3\n";
    std::ofstream(game.folder / "settings" / "level7.ini") << kQuiet;
    for (int i = 0; i < 4; ++i) game.frame({Key::W});
    game.frame({Key::N});
    EXPECT_TRUE(opened.empty()) << "the frame that chose plays out first";
    EXPECT_NE(game.frame().find("Level 7 started in "), std::string::npos) << "not the next number, 3";
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], &game.flow->session());
    EXPECT_EQ(game.flow->session().config.level, "7");
    EXPECT_FALSE(game.saw(FrameEventKind::LevelRestarted)) << "another level is no restart";
    for (const char* next : {"3", "0"}) {  // after the last level, the first again
        game.frame({Key::N});
        game.frame();
        EXPECT_EQ(game.flow->session().config.level, next);
    }

    ASSERT_EQ(recordings, 4);
    for (const char* name : {"run-2.replay", "run-3.replay", "run-4.replay"})
        EXPECT_TRUE(fs::exists(replays / name)) << name;
    const auto first = loadReplay((replays / "run.replay").string());
    ASSERT_TRUE(first.replay) << first.error;
    EXPECT_EQ(first.replay->frames.size(), 5u) << "the first session's five frames";
    EXPECT_EQ(first.replay->frames[2].keys, keyBit(Key::W)) << "after the warm-up the keys read are kept";
    EXPECT_EQ(first.replay->frames[4].keys, keyBit(Key::N));
}

TEST(RunFlow, AWinKeepsItsTimeAndReplayOnlyABetterOneIsANewBestAndNoMedalsAreSaidOnce)
{
    const fs::path data = freshFolder("runflow_best");
    RunRules rules;
    rules.offerRetry = rules.sessionKeys = rules.keepsBestTimes = true;
    rules.recordsPath = data / "records.ini";
    rules.bestRunFolder = data / "best";
    Game game(kWinAtOnce, std::move(rules));
    std::vector<ReplayFrame> played;
    const auto frame = [&](const std::vector<Key>& keys) {
        const std::string lines = game.frame(keys);
        played.push_back({game.flow->session().frame.deltaTime, game.driver->lastFrameKeys()});
        return lines;
    };
    frame({}), frame({});
    const std::string won = frame({Key::Space});
    EXPECT_NE(won.find(" NEW BEST\nNo medals: level 0 has no proof run that wins it\n"), std::string::npos) << won;
    EXPECT_TRUE(game.saw(FrameEventKind::NewBestTime));
    ASSERT_EQ(game.notes().size(), 2u) << "the time, then the retry offer";
    EXPECT_EQ(game.notes()[0].rfind("TIME ", 0), 0u);
    EXPECT_NE(game.notes()[0].find("  NEW BEST"), std::string::npos);
    const std::string levelFile = game.flow->session().config.levelFilePath();
    EXPECT_NE(readFileBytes((data / "records.ini").string(), FileKind::Ini).value_or("").find(
                  hashText(levelFileHash(levelFile))),
              std::string::npos);
    const auto kept = loadBestRun(bestRunPath(data / "best", "0"), levelFile, game.settingsPath);
    ASSERT_TRUE(kept) << "the best run, for the level file and catalogue as they are";
    ASSERT_EQ(kept->frames.size(), played.size());
    for (size_t i = 0; i < played.size(); ++i)
        EXPECT_EQ(std::tuple(kept->frames[i].deltaTime, kept->frames[i].keys),
                  std::tuple(played[i].deltaTime, played[i].keys)) << "frame " << i;

    // A slower win after R: no new best, the best run stays as it was, and no medals are not said again.
    game.frame({Key::R});
    EXPECT_NE(game.frame().find("Level 0 started in "), std::string::npos) << "R opened the level again";
    EXPECT_TRUE(game.saw(FrameEventKind::LevelRestarted));
    EXPECT_EQ(game.flow->session().frame.loadTime, 0) << "a restart has no warm-up";
    const std::string slower = game.frame({Key::Space}, 0.5f);
    EXPECT_NE(slower.find("Time: 0.50 s\n"), std::string::npos) << slower;
    EXPECT_EQ(slower.find("NEW BEST"), std::string::npos) << slower;
    EXPECT_EQ(slower.find("No medals"), std::string::npos) << slower;
    EXPECT_FALSE(game.saw(FrameEventKind::NewBestTime));
    EXPECT_EQ(loadBestRun(bestRunPath(data / "best", "0"), levelFile, game.settingsPath)->frames.size(),
              played.size());
}

// With menus: the title's level behind it reads no key and is never recorded;
// level select starts the level chosen; the pause menu stops the session (its
// frames run none of the game and reach no recording) until it resumes; a
// decided game opens the end-of-run menu, whose Retry restarts the level.
TEST(RunFlow, MenusChooseTheLevelPauseTheSessionUnrecordedAndOfferTheRetry)
{
    const fs::path replays = freshFolder("runflow_menu_replays");
    int recordings = 0;
    RunRules rules;
    rules.offerRetry = rules.sessionKeys = true;
    rules.startRecording = [&](const GameSession& session, int) {
        return std::make_unique<ReplayWriter>(openTruncated(replays / (std::to_string(recordings++) + ".replay")),
                                              recordingHeader(session), std::cerr);
    };
    rules.menus = MenuRules{};
    rules.menus->opensOnTitle = rules.menus->unlockAll = true;
    Game game(kWinAtOnce, std::move(rules));
    // A menu button pressed for one frame and let go in the next; the lines of both.
    auto press = [&game](MenuCommand command, const std::vector<Key>& keys = {}) {
        game.host.menuButtons = menuBit(command);
        std::string lines = game.frame(keys);
        const std::vector<FrameEventKind> pressed = game.events;
        game.host.menuButtons = 0;
        lines += game.frame(keys);
        game.events = pressed;
        return lines;
    };
    for (int i = 0; i < 4; ++i) game.frame({Key::Space});
    EXPECT_EQ(game.flow->session().frame.frameCount, 1) << "the title's level runs one frame for its picture";
    EXPECT_FALSE(game.flow->session().input.gameStarted);
    EXPECT_EQ(recordings, 0);
    EXPECT_EQ(game.flow->menuView().screen, MenuScreen::Title);
    press(MenuCommand::Select);  // PLAY
    EXPECT_EQ(game.events, std::vector<FrameEventKind>{FrameEventKind::MenuSelect});
    press(MenuCommand::Down);
    EXPECT_EQ(game.events, std::vector<FrameEventKind>{FrameEventKind::MenuMove});
    EXPECT_NE(press(MenuCommand::Select, {Key::Space}).find("Level 3 started in "), std::string::npos);
    EXPECT_EQ(game.flow->session().config.level, "3");
    EXPECT_FALSE(game.flow->menuOpen());
    EXPECT_EQ(recordings, 1);
    game.frame({Key::Space});
    EXPECT_FALSE(game.flow->session().input.gameStarted) << "the Space that chose waits to be let go";

    // P opens the pause menu: no frame of the session runs until Escape resumes it.
    game.frame();
    game.frame({Key::P});
    ASSERT_TRUE(game.flow->menuOpen());
    EXPECT_EQ(game.flow->menuView().screen, MenuScreen::Pause);
    const int stoodAt = game.flow->session().frame.frameCount;
    for (int i = 0; i < 5; ++i) game.frame({Key::W});
    EXPECT_EQ(game.flow->session().frame.frameCount, stoodAt);
    press(MenuCommand::Back);  // resumes, and the frame after it plays
    EXPECT_FALSE(game.flow->menuOpen());
    EXPECT_EQ(game.flow->session().frame.frameCount, stoodAt + 1);

    // Pause, level select, level 0: won on its first frame of play, then Retry.
    game.frame({Key::Escape});
    press(MenuCommand::Down);
    press(MenuCommand::Down);
    press(MenuCommand::Select);  // LEVEL SELECT
    EXPECT_NE(press(MenuCommand::Select).find("Level 0 started in "), std::string::npos);
    // Space, also the menus' Select, held through the win: the end-of-run menu waits for its release.
    game.host.menuButtons = menuBit(MenuCommand::Select);
    for (int i = 0; i < 3 && !game.flow->menuOpen(); ++i) game.frame({Key::Space});
    ASSERT_TRUE(game.flow->menuOpen());
    EXPECT_EQ(game.flow->menuView().title, "ESCAPED!");
    game.frame();
    EXPECT_FALSE(game.saw(FrameEventKind::MenuSelect)) << "the Select held as the run was won chose nothing";
    game.host.menuButtons = 0;
    game.frame();
    game.host.menuButtons = menuBit(MenuCommand::Select);  // RETRY
    game.frame();
    EXPECT_TRUE(game.saw(FrameEventKind::MenuSelect));
    game.frame();
    EXPECT_TRUE(game.saw(FrameEventKind::LevelRestarted));
    EXPECT_EQ(game.flow->session().config.level, "0");

    // The level 3 session's recording holds its played frames only, and no P.
    const auto played = loadReplay((replays / "0.replay").string());
    ASSERT_TRUE(played.replay) << played.error;
    EXPECT_EQ(played.replay->frames.size(), 6u) << "the six frames played; none of the menus' many";
    for (const ReplayFrame& f : played.replay->frames) EXPECT_EQ(f.keys & keyBit(Key::P), 0);
}

// A render size chosen in Options applies to the session on screen at once
// (its camera and HUD read it every frame), not only to the next session.
TEST(RunFlow, ARenderSizeChosenInOptionsAppliesToTheSessionOnScreen)
{
    RunRules rules;
    rules.menus = MenuRules{};
    rules.menus->opensOnTitle = true;
    rules.menus->model.sizes = renderSizeChoices({1920, 1200}, rules.menus->model.options.size);
    Game game(kQuiet, std::move(rules));
    game.frame();
    using C = MenuCommand;  // OPTIONS, then the fifth option (the render size) one step up
    for (const C command : {C::Down, C::Select, C::Down, C::Down, C::Down, C::Down, C::Right}) {
        game.host.menuButtons = menuBit(command);
        game.frame();
        game.host.menuButtons = 0;
        game.frame();
    }
    const RenderSize chosen{1920, 1200};  // the next size up from 1920 x 1080: the monitor's own
    const StartupConfig& onScreen = game.flow->session().config;
    EXPECT_EQ(RenderSize(onScreen.renderWidth, onScreen.renderHeight), chosen);
    EXPECT_FLOAT_EQ(onScreen.aspectRatio, 1.6f);
}
