#include "sim/menu/PlayerOptions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/IniFile.h"
#include "sim/settings/KeyNames.h"
#include "sim/settings/StartupConfig.h"

namespace {

float readVolume(const IniFile& settings, const char* key, float fallback)
{
    const float value = settings.getFloat("audio", key, fallback);
    if (!std::isfinite(value)) return fallback;
    return std::clamp(value, 0.0f, 1.0f);
}

std::string shortNumber(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

const char* onOff(bool value) { return value ? "true" : "false"; }

}  // namespace

const std::vector<BloomPreset>& bloomPresets()
{
    static const std::vector<BloomPreset> presets = {
        {BloomQuality::Full, "FULL", 10, 1.0f},
        {BloomQuality::Balanced, "BALANCED", 6, 0.75f},
        {BloomQuality::Fast, "FAST", 4, 0.5f},
    };
    return presets;
}

BloomQuality bloomQualityOf(int passes, float scale)
{
    for (const BloomPreset& p : bloomPresets())
        if (p.passes == passes && p.scale == scale) return p.quality;
    return BloomQuality::Custom;
}

std::vector<RenderSize> renderSizeChoices(RenderSize monitor, RenderSize current)
{
    std::vector<RenderSize> sizes = {{640, 360},   {960, 540},   {1280, 720}, {1600, 900},
                                     {1920, 1080}, {2560, 1440}, {3840, 2160}};
    for (const RenderSize extra : {monitor, current})
        if (extra.width > 0 && extra.height > 0 && std::find(sizes.begin(), sizes.end(), extra) == sizes.end())
            sizes.push_back(extra);
    std::sort(sizes.begin(), sizes.end(), [](RenderSize a, RenderSize b) {
        return uint64_t{a.width} * a.height < uint64_t{b.width} * b.height ||
               (uint64_t{a.width} * a.height == uint64_t{b.width} * b.height && a.width < b.width);
    });
    return sizes;
}

PlayerOptions PlayerOptions::of(const StartupConfig& config, const IniFile& settings)
{
    PlayerOptions o;
    o.volume = readVolume(settings, "volume", o.volume);
    o.effects = readVolume(settings, "effects", o.effects);
    o.music = readVolume(settings, "music", o.music);
    o.fullscreen = config.fullscreen;
    o.size = {config.renderWidth, config.renderHeight};
    o.blurPasses = config.blurPasses;
    o.blurScale = config.blurScale;
    o.showFrameRate = config.showFrameRate;
    o.pauseWhenInactive = config.pauseWhenInactive;
    o.keys = config.controls;
    o.pad = config.padButtons;
    return o;
}

OverlayValues PlayerOptions::overlayValues() const
{
    OverlayValues v;
    v[{"audio", "volume"}] = shortNumber(volume);
    v[{"audio", "effects"}] = shortNumber(effects);
    v[{"audio", "music"}] = shortNumber(music);
    v[{"window", "fullscreen"}] = onOff(fullscreen);
    v[{"window", "width"}] = std::to_string(size.width);
    v[{"window", "height"}] = std::to_string(size.height);
    v[{"window", "blurPasses"}] = std::to_string(blurPasses);
    v[{"window", "blurScale"}] = shortNumber(blurScale);
    v[{"window", "showFrameRate"}] = onOff(showFrameRate);
    v[{"general", "pauseWhenInactive"}] = onOff(pauseWhenInactive);
    for (const ControlAction& action : controlActions()) {
        const KeyboardKey key = keys.keys[action.slot];
        v[{"controls", action.name}] = key == KeyboardKey::None ? KeyBindings::kNoKeyName : keyNameOf(key);
        if (action.slot < PadBindings::kGameKeys)
            v[{"controls", padKeyOf(action.name)}] = padButtonName(pad.buttons[action.slot]);
    }
    return v;
}

void PlayerOptions::applySizeTo(StartupConfig& config) const
{
    config.renderWidth = size.width;
    config.renderHeight = size.height;
    config.aspectRatio = static_cast<float>(size.width) / static_cast<float>(size.height);
}

void PlayerOptions::applyTo(StartupConfig& config) const
{
    config.fullscreen = fullscreen;
    applySizeTo(config);
    config.blurPasses = blurPasses;
    config.blurScale = blurScale;
    config.controls = keys;
    config.padButtons = pad;
    config.showFrameRate = showFrameRate;
    config.pauseWhenInactive = pauseWhenInactive;
}
