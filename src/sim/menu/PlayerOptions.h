#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "sim/settings/SettingsOverlay.h"
#include "sim/settings/KeyBindings.h"
#include "sim/settings/PadBindings.h"

class IniFile;
struct StartupConfig;

// The bloom's quality as the options menu offers it: presets of the
// [window] blurPasses and blurScale keys.
enum class BloomQuality : uint8_t { Full, Balanced, Fast, Custom };
struct BloomPreset {
    BloomQuality quality;
    const char* name;
    int passes;
    float scale;
};
// Full is the game's own 10 passes at full size; Custom is any other pair.
const std::vector<BloomPreset>& bloomPresets();
BloomQuality bloomQualityOf(int passes, float scale);

struct RenderSize {
    uint32_t width = 0;
    uint32_t height = 0;
    bool operator==(const RenderSize&) const = default;
};
// The render sizes offered: the common 16:9 sizes from 640x360 to 3840x2160,
// the monitor's own size and the current one (when they are not among them),
// smallest first; a zero size (no monitor) is left out.
std::vector<RenderSize> renderSizeChoices(RenderSize monitor, RenderSize current);

// What the options menu changes, as the settings (main file and overlay
// together) give it, and what the overlay keeps of it.
struct PlayerOptions {
    float volume = 0.8f;   // master, 0 to 1
    float effects = 1.0f;  // 0 to 1
    float music = 1.0f;    // 0 to 1
    bool fullscreen = false;
    RenderSize size{1920, 1080};
    int blurPasses = 10;
    float blurScale = 1.0f;
    bool showFrameRate = false;
    bool pauseWhenInactive = false;  // [general]: a lost focus or a minimise pauses
    KeyBindings keys = KeyBindings::defaults();
    PadBindings pad = PadBindings::defaults();

    // The values of `config` (already read from `settings`) and the keys only
    // the options use ([audio]). A volume outside 0..1 is taken as the nearest end.
    static PlayerOptions of(const StartupConfig& config, const IniFile& settings);

    // Every key the overlay keeps for these options.
    OverlayValues overlayValues() const;
    // What a new session takes from the options.
    void applyTo(StartupConfig& config) const;
    // The render size alone (and its aspect ratio): what the session on
    // screen takes at once.
    void applySizeTo(StartupConfig& config) const;
};
