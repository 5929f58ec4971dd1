#include "sim/settings/StartupConfig.h"

#include "core/FiniteValue.h"
#include "core/IniFile.h"
#include "core/Units.h"

#include <cstdlib>
#include <filesystem>
#include <ostream>

namespace {

constexpr long kMaxSide = 16384;
constexpr uint64_t kMaxWindowPixels = uint64_t{8192} * 8192;

uint32_t readDimension(const IniFile& settings, const char* key, uint32_t fallback, std::ostream& log)
{
    const long value = settings.getInt("window", key, static_cast<long>(fallback));
    // An integer read stops at the first character that is not a digit, so
    // "1e30" or "2.5e3" would read as 1 or 2; read as a number they are far
    // larger (or not whole), and that is the value reported and refused.
    const std::string text = settings.getString("window", key, "");
    char* intEnd = nullptr;
    char* floatEnd = nullptr;
    std::strtol(text.c_str(), &intEnd, 0);
    const float asNumber = std::strtof(text.c_str(), &floatEnd);
    if (floatEnd > intEnd && asNumber != static_cast<float>(value)) {
        log << "Settings: window " << key << " " << asNumber << " is not a usable size, using " << fallback << "\n";
        return fallback;
    }
    if (value <= 0 || value > kMaxSide) {
        log << "Settings: window " << key << " " << value << " is not a usable size, using " << fallback << "\n";
        return fallback;
    }
    return static_cast<uint32_t>(value);
}

GhostChoice readGhostChoice(const IniFile& settings, std::ostream& log)
{
    const std::string text = settings.getString("general", "ghost", "off");
    if (text == "off") return GhostChoice::Off;
    if (text == "best") return GhostChoice::Best;
    if (text == "author") return GhostChoice::Author;
    log << "Settings: general ghost " << text << " is not off, best or author, using off\n";
    return GhostChoice::Off;
}

}  // namespace

// The level setting names the file "level<setting>.ini" beside the settings: it
// may not point into another folder.
bool usableLevelSetting(std::string_view level)
{
    if (level.size() > 64) return false;
    if (!level.empty() && (level.front() == ' ' || level.back() == ' ')) return false;
    for (const char c : level)
        if (c < 0x20 || c > 0x7e || c == '/' || c == '\\') return false;
    return true;
}

StartupConfig StartupConfig::read(const IniFile& settings, std::ostream& log, const LaunchOptions& options)
{
    StartupConfig c;
    c.assetPath = settings.getString("general", "assetPath", c.assetPath);
    // Settings found in the data folder name their assets relative to it.
    if (!options.dataFolder.empty() && std::filesystem::path(c.assetPath).is_relative())
        c.assetPath = (std::filesystem::path(options.dataFolder) / c.assetPath).string();
    c.playerLevelFolder = options.playerLevelFolder;
    c.level = options.level.value_or(settings.getString("general", "level", c.level));
    if (!usableLevelSetting(c.level)) {
        log << "Settings: level " << c.level << " cannot name a level file, using 0\n";
        c.level = "0";
    }
    c.debug = settings.getBool("debug", "debug", c.debug);
    c.useGameCamera = settings.getBool("debug", "useGameCamera", c.useGameCamera);
    c.renderWidth = options.width ? *options.width : readDimension(settings, "width", defaultWidth, log);
    c.renderHeight = options.height ? *options.height : readDimension(settings, "height", defaultHeight, log);
    c.refreshRate = static_cast<int>(settings.getInt("window", "refresh_rate", c.refreshRate));
    c.brightness = readFiniteFloat(settings, "window", "brightness", c.brightness, log, "Settings", kWorldCoordinate);
    // Each side may be usable while both together still make render targets of gigabytes.
    if (uint64_t{c.renderWidth} * c.renderHeight > kMaxWindowPixels) {
        log << "Settings: window " << c.renderWidth << "x" << c.renderHeight << " is more than 8192x8192 pixels, using "
            << defaultWidth << "x" << defaultHeight << "\n";
        c.renderWidth = defaultWidth;
        c.renderHeight = defaultHeight;
    }

    c.initialCursorX = static_cast<float>(c.renderWidth) * 0.5f;
    c.initialCursorY = static_cast<float>(c.renderHeight) * 0.5f;
    c.fieldOfView = 45.0f * kDegreesToRadians;
    c.aspectRatio = static_cast<float>(c.renderWidth) / static_cast<float>(c.renderHeight);

    c.fullscreen = options.fullscreen.value_or(settings.getBool("window", "fullscreen", c.fullscreen));
    c.title = settings.getString("general", "name", c.title);
    c.animations = settings.getBool("general", "animations", c.animations);
    c.retry = settings.getBool("general", "retry", c.retry);
    c.ghost = readGhostChoice(settings, log);
    c.campaign = settings.getString("general", "campaign", c.campaign);
    c.pauseWhenInactive = settings.getBool("general", "pauseWhenInactive", c.pauseWhenInactive);
    c.loadTime = static_cast<int>(settings.getInt("general", "loadTime", c.loadTime));

    const long passes = settings.getInt("window", "blurPasses", c.blurPasses);
    if (passes < 0 || passes > 100) {
        log << "Settings: window blurPasses " << passes << " is not a usable count, using " << c.blurPasses << "\n";
    } else {
        c.blurPasses = static_cast<int>(passes);
    }
    const float scale = settings.getFloat("window", "blurScale", c.blurScale);
    if (!(scale > 0.0f && scale <= 1.0f)) {
        log << "Settings: window blurScale " << scale << " is not a usable scale, using " << c.blurScale << "\n";
    } else {
        c.blurScale = scale;
    }
    c.controls = KeyBindings::read(settings, log);
    c.padButtons = PadBindings::read(settings, log);
    c.menu = settings.getBool("general", "menu", c.menu);
    c.unlockAll = settings.getBool("general", "unlockAll", c.unlockAll);
    c.showFrameRate = settings.getBool("window", "showFrameRate", c.showFrameRate);
    return c;
}

std::string StartupConfig::shippedLevelPath() const { return assetPath + "/settings/level" + level + ".ini"; }

namespace {

bool isRegularFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::string StartupConfig::levelFilePath() const
{
    const std::string shipped = shippedLevelPath();
    if (playerLevelFolder.empty() || isRegularFile(shipped)) return shipped;
    const std::string own = playerLevelFolder + "/level" + level + ".ini";
    return isRegularFile(own) ? own : shipped;
}

std::string StartupConfig::campaignFilePath() const { return assetPath + "/settings/" + campaign; }

std::optional<std::string> StartupConfig::hiddenPlayerLevel() const
{
    if (playerLevelFolder.empty()) return std::nullopt;
    const std::string own = playerLevelFolder + "/level" + level + ".ini";
    if (isRegularFile(shippedLevelPath()) && isRegularFile(own)) return own;
    return std::nullopt;
}
