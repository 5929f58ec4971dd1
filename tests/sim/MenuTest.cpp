// The menus as logic: the screens and how they link, focus, key repeat,
// option values and rebinding from the controls screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <queue>
#include <set>

#include "sim/campaign/Campaign.h"
#include "sim/menu/Menu.h"
#include "sim/menu/MenuFocus.h"
#include "sim/menu/MenuInput.h"
#include "sim/view/MenuView.h"
#include "sim/menu/LevelList.h"
#include "sim/menu/MenuFlow.h"
#include "sim/records/BestTimes.h"
#include "sim/records/LevelProgress.h"
#include "core/ContentHash.h"
#include "sim/settings/StartupConfig.h"
#include "support/TempFiles.h"
#include "support/TestWorld.h"

namespace {

using C = MenuCommand;

MenuModel sampleModel()
{
    MenuModel model;
    model.levels = {{"0", "First Steps", "Easy", 41.5f, "", false}, {"1", "Switchback", "Hard", std::nullopt, "", false},
                    {"2", "Moonwalk", "Hard", std::nullopt, "", true}};
    model.options.size = {1280, 720};
    model.sizes = renderSizeChoices({1920, 1080}, model.options.size);
    return model;
}

// Where a menu is after a choice: a screen, or out of the menus.
std::string placeOf(const Menu& menu, const MenuResult& result)
{
    switch (result.outcome) {
    case MenuOutcome::StartLevel:
    case MenuOutcome::Resume:
    case MenuOutcome::Restart:
    case MenuOutcome::NextLevel: return "play";
    case MenuOutcome::Quit: return "quit";
    case MenuOutcome::None: break;
    }
    return menu.isOpen() ? menuScreenTitle(menu.screen()) : "closed";
}

// Focuses entry `index` by its directions only, as a keyboard or pad would.
void focusByKeys(Menu& menu, int index)
{
    for (int guard = 0; menu.focus() != index && guard < 100; ++guard) {
        const MenuEntry& want = menu.entries()[static_cast<size_t>(index)];
        const MenuEntry& here = menu.entries()[static_cast<size_t>(menu.focus())];
        menu.command(want.row != here.row ? C::Down : (want.column > here.column ? C::Right : C::Left));
    }
    ASSERT_EQ(menu.focus(), index);
}

}  // namespace

TEST(MenuScreens, EveryScreenIsReachedFromTheTitleAndEveryScreenLeadsBack)
{
    // Walks the screens as a player would: from the title, every entry of
    // every screen reached is focused with the four directions alone (no dead
    // ends) and chosen, and playing leads to the pause and end-of-run menus.
    // Paths are replayed from the start.
    using Path = std::vector<std::pair<MenuScreen, int>>;  // screen opened from play (or title), entries chosen
    std::map<std::string, Path> reached;
    std::queue<Path> toVisit;
    for (MenuScreen root : {MenuScreen::Title, MenuScreen::Pause, MenuScreen::RunEnd}) {
        toVisit.push({{root, -1}});
    }
    auto replay = [](const Path& path, Menu& menu) {
        menu.open(path.front().first);
        for (size_t i = 1; i < path.size(); ++i) {
            focusByKeys(menu, path[i].second);
            menu.command(C::Select);
        }
    };
    std::set<std::string> leadsToPlay;
    while (!toVisit.empty()) {
        const Path path = toVisit.front();
        toVisit.pop();
        Menu menu(sampleModel());
        replay(path, menu);
        const std::string here = menuScreenTitle(menu.screen());
        if (reached.count(here)) continue;
        reached[here] = path;
        for (int i = 0; i < static_cast<int>(menu.entries().size()); ++i) {
            Menu probe(sampleModel());
            replay(path, probe);
            if (!takesFocus(probe.entries()[static_cast<size_t>(i)])) continue;
            focusByKeys(probe, i);
            if (probe.entries()[static_cast<size_t>(i)].action == MenuAction::BindKey) continue;
            const MenuResult result = probe.command(C::Select);
            const std::string place = placeOf(probe, result);
            if (place == "play") leadsToPlay.insert(here);
            if (probe.isOpen() && place != here) {
                Path next = path;
                next.push_back({probe.screen(), i});
                toVisit.push(next);
            }
        }
    }
    // Play reaches the pause and end-of-run menus, and the title reaches play.
    EXPECT_TRUE(reached.count("VAULTRISE") && leadsToPlay.count("LEVEL SELECT"));
    EXPECT_EQ(reached.size(), static_cast<size_t>(kMenuScreens));

    // Back, pressed again and again, always leaves: each screen returns to the
    // one it was opened from, and the first screen has its own way out.
    const std::map<std::string, std::string> firstScreenExit = {
        {"VAULTRISE", "quit"}, {"PAUSED", "play"}, {"RUN OVER", "LEVEL SELECT"}};
    for (const auto& [screen, path] : reached) {
        Menu menu(sampleModel());
        replay(path, menu);
        for (size_t depth = path.size(); depth-- > 1;) {
            const MenuResult result = menu.command(C::Back);
            EXPECT_EQ(placeOf(menu, result), menuScreenTitle(path[depth - 1].first)) << screen;
            EXPECT_EQ(result.events, std::vector<FrameEventKind>{FrameEventKind::MenuBack});
        }
        EXPECT_EQ(placeOf(menu, menu.command(C::Back)), firstScreenExit.at(menuScreenTitle(path.front().first)))
            << screen;
    }
}

TEST(MenuFocus, DirectionsMoveToTheNearestEntryThatWayAndUpDownWrap)
{
    // A grid like the controls screen: two columns in some rows; headings
    // (level select's sets) in rows 3 and 5 are never focused.
    auto at = [](int row, int column, MenuAction action = MenuAction::Back) {
        MenuEntry e;
        e.row = row;
        e.column = column;
        e.action = action;
        return e;
    };
    const std::vector<MenuEntry> grid = {at(0, 0), at(0, 1), at(1, 0), at(2, 0), at(2, 1), at(4, 0),
                                         at(3, 0, MenuAction::Heading), at(5, 0, MenuAction::Heading)};
    struct Case {
        int from;
        C direction;
        int to;
    };
    const Case cases[] = {
        {0, C::Down, 2}, {1, C::Down, 2},  // the row below has one column: its nearest
        {2, C::Down, 3}, {4, C::Down, 5},  // a heading's row is skipped
        {5, C::Down, 0}, {5, C::Up, 3},    // the last row wraps to the first past a heading
        {0, C::Up, 5}, {1, C::Up, 5},      // and the first to the last
        {4, C::Up, 2}, {2, C::Up, 0},      // column 0 kept where the row has it
        {0, C::Right, 1}, {1, C::Right, 1},  // Right stops at the row's end
        {4, C::Left, 3}, {3, C::Left, 3}, {2, C::Right, 2},
        {0, C::Select, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(moveFocus(grid, c.from, c.direction), c.to) << c.from << " " << int(c.direction);
}

TEST(MenuInput, HeldDirectionsRepeatAfterADelayOnTheFrameClock)
{
    const MenuButtons down = menuBit(C::Down), up = menuBit(C::Up), select = menuBit(C::Select);
    struct Case {
        const char* name;
        std::vector<MenuButtons> frames;
        float step;
        std::vector<int> commandFrames;  // frames that give a command
    };
    const std::vector<int> heldSecond = {0, 30, 36, 42, 48, 54};  // at 60 Hz: 0.5 s, then every 0.1 s
    const Case cases[] = {
        {"tapped", {down, 0, down, 0, down}, 1.0f / 60.0f, {0, 2, 4}},
        {"held one second at 60 Hz", std::vector<MenuButtons>(60, down), 1.0f / 60.0f, heldSecond},
        {"held at 20 Hz", std::vector<MenuButtons>(20, down), 0.05f, {0, 10, 12, 14, 16, 18}},
        {"held over slow frames", {down, down, down, 0, down, down}, 0.6f, {0, 4}},  // a loaded machine
        {"choice held does not repeat", std::vector<MenuButtons>(60, select), 1.0f / 60.0f, {0}},
    };
    for (const Case& c : cases) {
        MenuInput input;
        std::vector<int> got;
        for (size_t f = 0; f < c.frames.size(); ++f)
            if (!input.frame(c.frames[f], c.step).empty()) got.push_back(static_cast<int>(f));
        EXPECT_EQ(got, c.commandFrames) << c.name;
    }
    // A second direction pressed while one is held acts at once and takes over the repeat.
    MenuInput input;
    input.frame(down, 0.1f);
    input.frame(down, 0.1f);
    EXPECT_EQ(input.frame(down | up, 0.1f), std::vector<C>{C::Up});
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(input.frame(down | up, 0.1f).empty()) << i;
    EXPECT_EQ(input.frame(down | up, 0.1f), std::vector<C>{C::Up});
    // Letting go of the repeating one stops the repeat, even with another still held.
    EXPECT_TRUE(input.frame(down, 0.1f).empty());
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(input.frame(down, 0.1f).empty()) << i;
    // Keys held as the menu opens do not act in it.
    MenuInput opened;
    opened.holdAll(select | down);
    EXPECT_TRUE(opened.frame(select | down, 1.0f).empty());
}

TEST(MenuLayout, TypeScalesWithTheRenderHeightAndEveryShownEntryFitsAndCanBePointedAt)
{
    Menu menu(sampleModel());
    for (int s = 0; s < kMenuScreens; ++s) {
        menu.open(static_cast<MenuScreen>(s));
        const std::vector<MenuEntry> entries = menu.entries();
        EXPECT_EQ(std::find_if(entries.begin(), entries.end(), takesFocus) - entries.begin(), menu.focus())
            << "focus starts on the first entry that is not a heading";
        // Focus on the last entry: a long screen scrolls so that it is shown.
        const int last = static_cast<int>(menu.entries().size()) - 1;
        menu.pointAt(last);
        MenuView view{true, menu.screen(), menuScreenTitle(menu.screen()), {"NOTE"}, menu.entries(), menu.focus(), "HINT"};
        for (const auto& [w, h] : {std::pair{640.0f, 360.0f}, {1280.0f, 720.0f}, {3840.0f, 2160.0f}, {480.0f, 360.0f}}) {
            const MenuPicture picture = layoutMenu(view, w, h);
            EXPECT_GE(picture.entryTextHeight, 12.0f * h / 360.0f) << s << " " << h;
            ASSERT_GE(picture.quads.size(), 3u);
            const MenuRect panel = picture.quads[1].rect;
            EXPECT_TRUE(panel.x >= 0 && panel.y >= 0 && panel.x + panel.width <= w && panel.y + panel.height <= h)
                << s << " " << w << "x" << h;
            bool focusShown = false;
            for (const auto& [index, area] : picture.entryAreas) {
                EXPECT_TRUE(area.x >= panel.x && area.x + area.width <= panel.x + panel.width && area.y >= panel.y &&
                            area.y + area.height <= panel.y + panel.height)
                    << s << " entry " << index;
                EXPECT_EQ(menuEntryAt(picture, area.x + area.width / 2, area.y + area.height / 2), index);
                focusShown = focusShown || index == last;
            }
            EXPECT_TRUE(focusShown) << s;
            EXPECT_EQ(menuEntryAt(picture, 1.0f, 1.0f), -1);
        }
    }
    // Closed, nothing is drawn.
    EXPECT_TRUE(layoutMenu(MenuView{}, 640, 360).quads.empty());
}

TEST(MenuFlow, TheRunEndMenuShowsTheRunAndLevelSelectListsTheLevelsOnDisk)
{
    std::ostringstream log;
    MenuFlow flow(sampleModel(), std::nullopt, {}, log);
    flow.setRun({true, 65.32f, true, ""});
    flow.open(MenuScreen::RunEnd, 0);
    MenuView view = flow.view("Vaultrise");
    EXPECT_EQ(view.title, "ESCAPED!");
    EXPECT_EQ(view.notes, std::vector<std::string>{"TIME 1:05.32  NEW BEST"});
    std::string shown;
    for (const MenuEntry& e : menuEntries(MenuScreen::LevelSelect, sampleModel())) shown += e.label + " " + e.value + "|";
    EXPECT_EQ(shown, "EASY |0  FIRST STEPS 0:41.50|HARD |1  SWITCHBACK --|2  MOONWALK LOCKED|BACK |");
    flow.setRun({false, 3.0f, false, ""});
    flow.open(MenuScreen::RunEnd, 0);
    EXPECT_TRUE(flow.view("").notes.empty());

    const auto assets = freshFolder("level_list");
    std::filesystem::create_directories(assets / "settings");
    std::filesystem::create_directories(assets / "own");
    // The player's own levels, one hidden by a shipped level of its name; levelx is no level.
    for (const auto& [file, name] : {std::pair{"settings/level0.ini", "Alpha"}, {"settings/level3.ini", "Gamma"},
                                     {"settings/level5.ini", "Five"}, {"settings/level12.ini", "Twelve"},
                                     {"settings/levelx.ini", "Not one"}, {"own/level3.ini", "Hidden"},
                                     {"own/levelmine.ini", "Mine"}})
        std::ofstream(assets / file) << "[general]\nname = " << name << "\n";
    std::ofstream(assets / "settings" / "sets.ini")  // level 4 has no file
        << "[campaign]\nsets = 2\n[set1]\nname = Start\nlevels = 3 0\n[set2]\nname = Next\nlevels = 5 4\n";
    StartupConfig config;
    config.assetPath = assets.string();
    config.playerLevelFolder = (assets / "own").string();
    BestTimes times(assets / "records.ini");
    times.load(log);
    for (const char* n : {"0", "3"})
        times.offer(hashText(levelFileHash((assets / "settings" / ("level" + std::string(n) + ".ini")).string())), 12.5f, log);
    // The list with a campaign file (or none), the levels won and those with
    // bronze (named by their last digit), then 1 for each locked level.
    const auto list = [&](const char* campaign, const char* won, const std::string& bronze) {
        config.campaign = campaign;
        LevelProgress progress(assets / ("progress" + std::string(won) + ".ini"));
        for (const char* w = won; *w; ++w) progress.markWon(progressName({*w}), log);
        const auto medal = [bronze](const std::string& path, float) {
            return bronze.find(path[path.size() - 5]) != std::string::npos ? "BRONZE" : "";
        };
        const Campaign sets = campaignOf(config, log);
        std::string listed, locks;
        for (const MenuLevel& l : listLevels(config, installedLevelSets(config, sets), &times, progress, false, medal, sets)) {
            listed += l.set + ":" + l.level + " " + l.name + " " + runTimeText(l.bestSeconds) + "|";
            locks += l.locked ? "1" : "0";
        }
        return listed + locks;
    };
    // Without a campaign: number order, the player's last; the first of each
    // set is open, the rest open as the one before is won.
    EXPECT_EQ(list("", "0", ""), ":0 Alpha 0:12.50|:3 Gamma 0:12.50|:5 Five --|:12 Twelve --|YOUR LEVELS:mine Mine --|00110");
    // With one: its sets under their names, then the shipped levels it leaves
    // out, then the player's; wins open a set's next level, bronze the next set.
    const std::string inSets = "Start:3 Gamma 0:12.50|Start:0 Alpha 0:12.50|Next:5 Five --|MORE LEVELS:12 Twelve --|"
                               "YOUR LEVELS:mine Mine --|";
    for (const auto& [won, bronze, locked] :
         {std::tuple{"", "", "01100"}, {"3", "", "00100"}, {"30", "3", "00100"}, {"", "30", "01000"}})
        EXPECT_EQ(list("sets.ini", won, bronze), inSets + locked);
    EXPECT_EQ(takeLog(log), "");
}
