// What the options menu changes and keeps for the player: option values, the
// overlay file over the settings, rebinding with swaps, pad buttons in
// [controls], and which levels are open.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <tuple>

#include "core/ContentHash.h"
#include "core/IniFile.h"
#include "sim/frame/GamepadKeys.h"
#include "sim/menu/Menu.h"
#include "sim/records/LevelProgress.h"
#include "sim/settings/ControlRebinding.h"
#include "sim/settings/SettingsOverlay.h"
#include "sim/settings/StartupConfig.h"
#include "support/TempFiles.h"
#include "support/TestWorld.h"

namespace {

constexpr size_t slot(Key key) { return static_cast<size_t>(key); }

}  // namespace

TEST(PlayerOptions, ValuesStepWithinTheirRangesAndBloomGoesThroughItsPresets)
{
    MenuModel model;
    model.options.size = {1280, 720};
    model.sizes = renderSizeChoices({1366, 768}, model.options.size);
    struct Case {
        OptionId option;
        int step;
        int times;
        bool changedLast;
        std::string shown;  // the entry's value afterwards
    };
    const Case cases[] = {
        {OptionId::Volume, -1, 3, true, "50%"},    // 80% down three tenths
        {OptionId::Volume, -1, 6, false, "0%"},    // and stops at nothing
        {OptionId::Music, 1, 1, false, "100%"},    // already full
        {OptionId::Bloom, 1, 1, true, "BALANCED"}, {OptionId::Bloom, 1, 1, true, "FAST"},
        {OptionId::Bloom, 1, 1, false, "FAST"},    {OptionId::Bloom, -1, 2, true, "FULL"},
        {OptionId::RenderSize, 1, 1, true, "1366 X 768"},  // the monitor's own size sits in order
        {OptionId::RenderSize, -1, 3, true, "640 X 360"}, {OptionId::RenderSize, -1, 1, false, "640 X 360"},
        {OptionId::Fullscreen, 1, 1, true, "ON"},  {OptionId::Fullscreen, -1, 1, true, "OFF"},
        {OptionId::FrameRate, 1, 1, true, "ON"},   {OptionId::PauseWhenInactive, 1, 1, true, "ON"},
    };
    for (const Case& c : cases) {
        bool changed = false;
        for (int i = 0; i < c.times; ++i) changed = stepOption(model, c.option, c.step);
        EXPECT_EQ(changed, c.changedLast) << static_cast<int>(c.option);
        EXPECT_EQ(menuEntries(MenuScreen::Options, model)[static_cast<size_t>(c.option)].value, c.shown)
            << static_cast<int>(c.option);
    }
    EXPECT_EQ(std::make_pair(model.options.blurPasses, model.options.blurScale), std::make_pair(10, 1.0f));
}

TEST(PlayerOptions, WrittenToTheOverlayTheyReadBackOverTheSettingsAndOtherLinesStay)
{
    const auto folder = freshFolder("overlay_write");
    const auto path = folder / "vaultrise" / "settings.ini";
    std::ostringstream log;
    PlayerOptions o;
    o.volume = 0.3f;
    o.music = 0.0f;
    o.fullscreen = true;
    o.size = {960, 540};
    o.blurPasses = 4;
    o.blurScale = 0.5f;
    o.showFrameRate = o.pauseWhenInactive = true;
    rebindKey(o.keys, slot(Key::Space), KeyboardKey::Up);
    rebindPadButton(o.pad, slot(Key::Space), GamepadState::B);
    o.keys.keys[slot(Key::F8)] = KeyboardKey::None;
    // A missing folder and file are made; the file holds only the options' keys.
    ASSERT_TRUE(writeSettingsOverlay(path, o.overlayValues(), log));
    IniFile settings = IniFile::fromText("[general]\nlevel = 2\n[window]\nwidth = 1280\nheight = 720\n"
                                         "[controls]\njump = Q\n");
    applySettingsOverlay(settings, path, log);
    const StartupConfig config = StartupConfig::read(settings, log);
    const PlayerOptions back = PlayerOptions::of(config, settings);
    EXPECT_EQ(takeLog(log), "");
    EXPECT_EQ(config.level, "2");
    EXPECT_EQ(std::make_tuple(back.volume, back.effects, back.music), std::make_tuple(0.3f, 1.0f, 0.0f));
    EXPECT_TRUE(back.fullscreen && back.showFrameRate && back.pauseWhenInactive);
    EXPECT_EQ(back.size, (RenderSize{960, 540}));
    EXPECT_EQ(std::make_pair(back.blurPasses, back.blurScale), std::make_pair(4, 0.5f));
    EXPECT_EQ(back.keys.keys, o.keys.keys);
    EXPECT_EQ(back.pad.buttons, o.pad.buttons);

    // Other lines (comments, unknown keys and sections) stay; new keys join their section.
    std::ofstream(path) << "; kept\n[audio]\nvolume = 0.9\nfutureKey = 7\n\n[mine]\nsomething = else\n";
    ASSERT_TRUE(writeSettingsOverlay(path, {{{"audio", "volume"}, "0.4"}, {{"audio", "music"}, "0.1"},
                                            {{"window", "width"}, "640"}}, log));
    EXPECT_EQ(readFileBytes(path.string(), FileKind::Ini),
              "; kept\n[audio]\nvolume = 0.4\nfutureKey = 7\n\nmusic = 0.1\n[mine]\nsomething = else\n"
              "[window]\nwidth = 640\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path.parent_path()), {}), 1) << "no temporary left";

    // A damaged file is read as nothing (one line) and replaced by the next change.
    std::ofstream(path) << "[audio\n";
    IniFile plain;
    EXPECT_EQ(applySettingsOverlay(plain, path, log), 0);
    EXPECT_EQ(readFileBytes(path.string(), FileKind::Ini), "[audio\n");
    ASSERT_TRUE(writeSettingsOverlay(path, {{{"audio", "volume"}, "0.4"}}, log));
    EXPECT_EQ(applySettingsOverlay(plain, path, log), 1);
    takeLog(log);

    // A file that cannot be replaced costs one line and stays as it was.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);  // a folder where the file should be
    EXPECT_FALSE(writeSettingsOverlay(path, {{{"audio", "volume"}, "0.1"}}, log));
    EXPECT_NE(takeLog(log).find("Settings overlay: cannot save the options"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(Rebinding, TheControlsScreenBindsTheNextKeyShowsTheSwapAndResets)
{
    MenuModel model;
    Menu menu(model);
    menu.open(MenuScreen::Controls);
    ASSERT_EQ(menu.entries()[0].label, "FORWARD");
    menu.command(MenuCommand::Select);
    ASSERT_TRUE(menu.waitingForKey());
    EXPECT_EQ(menu.entries()[0].value, "PRESS A KEY");
    EXPECT_TRUE(menu.command(MenuCommand::Down).events.empty());  // directions wait too
    MenuResult result = menu.keyPressed(KeyboardKey::Space);
    EXPECT_TRUE(result.optionsChanged);
    EXPECT_FALSE(menu.waitingForKey());
    EXPECT_EQ(menu.state().options.keys.key(Key::W), KeyboardKey::Space);
    EXPECT_EQ(menu.state().options.keys.key(Key::Space), KeyboardKey::W);
    EXPECT_EQ(menu.notice(), "JUMP NOW ON W");
    EXPECT_EQ(menu.entries()[0].value, "SPACE");

    // Escape gives up waiting and changes nothing.
    menu.command(MenuCommand::Select);
    result = menu.keyPressed(KeyboardKey::Escape);
    EXPECT_FALSE(result.optionsChanged);
    EXPECT_EQ(menu.state().options.keys.key(Key::W), KeyboardKey::Space);

    // The pad column: right of the action; B gives up, a button binds.
    menu.command(MenuCommand::Right);
    ASSERT_EQ(menu.entries()[static_cast<size_t>(menu.focus())].action, MenuAction::BindPad);
    menu.command(MenuCommand::Select);
    ASSERT_TRUE(menu.waitingForButton());
    EXPECT_FALSE(menu.padButtonPressed(GamepadState::B).optionsChanged);
    menu.command(MenuCommand::Select);
    EXPECT_TRUE(menu.padButtonPressed(GamepadState::Y).optionsChanged);
    EXPECT_EQ(menu.state().options.pad.button(Key::W), GamepadState::Y);

    // Reset to defaults: every key and button as shipped.
    while (menu.entries()[static_cast<size_t>(menu.focus())].action != MenuAction::ResetControls)
        menu.command(MenuCommand::Down);
    EXPECT_TRUE(menu.command(MenuCommand::Select).optionsChanged);
    EXPECT_EQ(menu.state().options.keys.keys, KeyBindings::defaults().keys);
    EXPECT_EQ(menu.state().options.pad.buttons, PadBindings::defaults().buttons);
}

TEST(Rebinding, PadButtonsInControlsRemapThePadAndConflictsGetOneLine)
{
    using S = GamepadState;
    struct Case {
        const char* controls;
        std::vector<std::pair<Key, int>> buttons;
        const char* line;  // expected in the log, "" for none
    };
    const Case cases[] = {
        {"", {{Key::Space, S::A}, {Key::Tab, S::X}, {Key::P, S::Start}, {Key::R, S::Back}}, ""},
        {"jumpPad = b\nnextPad = Y\n", {{Key::Space, S::B}, {Key::N, S::Y}}, ""},
        {"jumpPad = DPAD_UP\n", {{Key::Space, S::A}}, "controls jumpPad DPAD_UP is not a gamepad button, using A"},
        {"nextPad = A\n", {{Key::N, S::A}, {Key::Space, PadBindings::kNoButton}},
         "controls nextPad and jumpPad both use A; nextPad keeps it"},
        {"flipPad = NONE\n", {{Key::Tab, PadBindings::kNoButton}}, ""},
    };
    for (const Case& c : cases) {
        std::ostringstream log;
        const PadBindings b = PadBindings::read(IniFile::fromText(std::string("[controls]\n") + c.controls), log);
        for (const auto& [key, button] : c.buttons) EXPECT_EQ(b.button(key), button) << c.controls;
        const std::string lines = takeLog(log);
        if (*c.line) EXPECT_NE(lines.find(c.line), std::string::npos) << lines;
        else EXPECT_EQ(lines, "") << c.controls;
    }
    // The pad follows its bindings; a shoulder button still flips unless an action took it.
    PadBindings b = PadBindings::defaults();
    rebindPadButton(b, slot(Key::Space), S::LeftBumper);
    S pad;
    pad.buttons[S::LeftBumper] = pad.buttons[S::RightBumper] = true;
    EXPECT_EQ(gamepadKeys(pad, b), keyBit(Key::Space) | keyBit(Key::Tab));
    pad.buttons[S::RightBumper] = false;
    EXPECT_EQ(gamepadKeys(pad, b), keyBit(Key::Space));
}

TEST(LevelProgress, ALevelOpensWhenTheOneBeforeIsWonAndStaysOpenAcrossLoads)
{
    const auto folder = freshFolder("progress");
    const auto path = folder / "vaultrise" / "progress.ini";
    const std::vector<std::string> levels = {"level0", "level1", "level2", "level3"};
    std::ostringstream log;
    LevelProgress progress(path);
    progress.load(log);
    EXPECT_EQ(progress.locked(levels, false), (std::vector<bool>{false, true, true, true}));
    EXPECT_EQ(progress.locked(levels, true), (std::vector<bool>{false, false, false, false}));
    progress.markWon("level0", log);
    progress.markWon("level2", log);  // won through --level: the next opens, the skipped one stays locked
    LevelProgress reloaded(path);
    reloaded.load(log);
    EXPECT_EQ(reloaded.locked(levels, false), (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(takeLog(log), "");

    std::ofstream(path) << "[won\nlevel0 = true\n";
    LevelProgress damaged(path);
    damaged.load(log);
    EXPECT_EQ(damaged.locked(levels, false), (std::vector<bool>{false, true, true, true}));
    EXPECT_NE(takeLog(log).find("Progress: cannot read"), std::string::npos);
}
