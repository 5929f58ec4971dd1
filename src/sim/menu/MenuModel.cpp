#include "sim/menu/MenuModel.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "sim/settings/KeyNames.h"

namespace {

MenuEntry entry(std::string label, MenuAction action, int row, MenuScreen target = MenuScreen::Title, int index = 0)
{
    MenuEntry e;
    e.label = std::move(label);
    e.action = action;
    e.target = target;
    e.index = index;
    e.row = row;
    return e;
}

std::string percent(float share) { return std::to_string(static_cast<int>(std::lround(share * 100.0f))) + "%"; }
const char* onOff(bool on) { return on ? "ON" : "OFF"; }

std::string upper(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string optionValue(const MenuModel& model, OptionId option)
{
    const PlayerOptions& o = model.options;
    switch (option) {
    case OptionId::Volume: return percent(o.volume);
    case OptionId::Effects: return percent(o.effects);
    case OptionId::Music: return percent(o.music);
    case OptionId::Fullscreen: return onOff(o.fullscreen);
    case OptionId::RenderSize: return std::to_string(o.size.width) + " X " + std::to_string(o.size.height);
    case OptionId::Bloom:
        for (const BloomPreset& p : bloomPresets())
            if (p.quality == bloomQualityOf(o.blurPasses, o.blurScale)) return p.name;
        return "CUSTOM";
    case OptionId::FrameRate: return onOff(o.showFrameRate);
    case OptionId::PauseWhenInactive: return onOff(o.pauseWhenInactive);
    default: return "";
    }
}

constexpr const char* kOptionLabels[] = {"MASTER VOLUME", "EFFECTS VOLUME", "MUSIC VOLUME", "FULL SCREEN",
                                         "RENDER SIZE", "BLOOM", "FRAME RATE", "PAUSE WHEN INACTIVE"};
static_assert(std::size(kOptionLabels) == static_cast<size_t>(OptionId::Count));

std::vector<MenuEntry> controlsEntries(const MenuModel& model)
{
    std::vector<MenuEntry> entries;
    int row = 0;
    for (const ControlAction& action : controlActions()) {
        MenuEntry key = entry(upper(action.name), MenuAction::BindKey, row, MenuScreen::Title,
                              static_cast<int>(action.slot));
        const KeyboardKey bound = model.options.keys.keys[action.slot];
        key.value = bound == KeyboardKey::None ? KeyBindings::kNoKeyName : keyNameOf(bound);
        entries.push_back(key);
        if (action.slot < PadBindings::kGameKeys) {
            MenuEntry pad = entry("PAD", MenuAction::BindPad, row, MenuScreen::Title, static_cast<int>(action.slot));
            pad.value = padButtonName(model.options.pad.buttons[action.slot]);
            pad.column = 1;
            entries.push_back(pad);
        }
        ++row;
    }
    entries.push_back(entry("RESET TO DEFAULTS", MenuAction::ResetControls, row++));
    entries.push_back(entry("BACK", MenuAction::Back, row));
    return entries;
}

}  // namespace

std::string runTimeText(std::optional<float> seconds)
{
    if (!seconds || !std::isfinite(*seconds)) return "--";
    const long hundredths = std::lround(*seconds * 100.0f);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld.%02ld", hundredths / 6000, hundredths / 100 % 60, hundredths % 100);
    return text;
}

std::vector<MenuEntry> menuEntries(MenuScreen screen, const MenuModel& model, int waitingEntry)
{
    std::vector<MenuEntry> entries;
    int row = 0;
    switch (screen) {
    case MenuScreen::Title:
        entries.push_back(entry("PLAY", MenuAction::Open, row++, MenuScreen::LevelSelect));
        entries.push_back(entry("OPTIONS", MenuAction::Open, row++, MenuScreen::Options));
        entries.push_back(entry("QUIT", MenuAction::Quit, row++));
        break;
    case MenuScreen::LevelSelect:
        for (size_t i = 0; i < model.levels.size(); ++i) {
            const MenuLevel& level = model.levels[i];
            if (!level.set.empty() && (i == 0 || model.levels[i - 1].set != level.set)) {
                MenuEntry heading = entry(upper(level.set), MenuAction::Heading, row++);
                heading.enabled = false;
                entries.push_back(heading);
            }
            MenuEntry e = entry(level.level + "  " + upper(level.name), MenuAction::StartLevel, row++,
                                MenuScreen::Title, static_cast<int>(i));
            e.enabled = !level.locked;
            e.value = level.locked ? "LOCKED"
                                   : runTimeText(level.bestSeconds) + (level.medal.empty() ? "" : "  " + level.medal);
            entries.push_back(e);
        }
        entries.push_back(entry("BACK", MenuAction::Back, row));
        break;
    case MenuScreen::Options:
        for (int o = 0; o < static_cast<int>(OptionId::Count); ++o) {
            MenuEntry e = entry(kOptionLabels[o], MenuAction::Option, row++, MenuScreen::Title, o);
            e.value = optionValue(model, static_cast<OptionId>(o));
            entries.push_back(e);
        }
        entries.push_back(entry("CONTROLS", MenuAction::Open, row++, MenuScreen::Controls));
        entries.push_back(entry("BACK", MenuAction::Back, row));
        break;
    case MenuScreen::Controls:
        entries = controlsEntries(model);
        break;
    case MenuScreen::Pause:
        entries.push_back(entry("RESUME", MenuAction::Resume, row++));
        entries.push_back(entry("RESTART", MenuAction::Restart, row++));
        entries.push_back(entry("LEVEL SELECT", MenuAction::Open, row++, MenuScreen::LevelSelect));
        entries.push_back(entry("OPTIONS", MenuAction::Open, row++, MenuScreen::Options));
        entries.push_back(entry("QUIT", MenuAction::Quit, row++));
        break;
    case MenuScreen::RunEnd:
        entries.push_back(entry("RETRY", MenuAction::Restart, row++));
        entries.push_back(entry("NEXT LEVEL", MenuAction::NextLevel, row++));
        entries.push_back(entry("LEVEL SELECT", MenuAction::Open, row++, MenuScreen::LevelSelect));
        break;
    }
    if (waitingEntry >= 0 && waitingEntry < static_cast<int>(entries.size()))
        entries[static_cast<size_t>(waitingEntry)].value =
            entries[static_cast<size_t>(waitingEntry)].action == MenuAction::BindPad ? "PRESS A BUTTON" : "PRESS A KEY";
    return entries;
}

bool stepOption(MenuModel& model, OptionId option, int step)
{
    PlayerOptions& o = model.options;
    auto stepVolume = [step](float& share) {
        const float before = share;
        share = std::clamp(std::round(share * 10.0f + static_cast<float>(step)) / 10.0f, 0.0f, 1.0f);
        return share != before;
    };
    switch (option) {
    case OptionId::Volume: return stepVolume(o.volume);
    case OptionId::Effects: return stepVolume(o.effects);
    case OptionId::Music: return stepVolume(o.music);
    case OptionId::Fullscreen: o.fullscreen = !o.fullscreen; return true;
    case OptionId::FrameRate: o.showFrameRate = !o.showFrameRate; return true;
    case OptionId::PauseWhenInactive: o.pauseWhenInactive = !o.pauseWhenInactive; return true;
    case OptionId::RenderSize: {
        const auto& sizes = model.sizes;
        const auto at = std::find(sizes.begin(), sizes.end(), o.size);
        if (at == sizes.end()) {
            if (sizes.empty()) return false;
            o.size = sizes.front();
            return true;
        }
        const long next = (at - sizes.begin()) + step;
        if (next < 0 || next >= static_cast<long>(sizes.size())) return false;
        o.size = sizes[static_cast<size_t>(next)];
        return true;
    }
    case OptionId::Bloom: {
        const auto& presets = bloomPresets();
        const BloomQuality now = bloomQualityOf(o.blurPasses, o.blurScale);
        long next = 0;  // a custom pair steps to Full
        if (now != BloomQuality::Custom) {
            next = static_cast<long>(now) + step;
            if (next < 0 || next >= static_cast<long>(presets.size())) return false;
        }
        o.blurPasses = presets[static_cast<size_t>(next)].passes;
        o.blurScale = presets[static_cast<size_t>(next)].scale;
        return true;
    }
    default: return false;
    }
}
