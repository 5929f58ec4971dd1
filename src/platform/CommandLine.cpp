#include "platform/CommandLine.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <cstdlib>
#include <ostream>

namespace {

constexpr uint32_t kLargestSide = 16384;
constexpr uint64_t kLargestArea = 8192ull * 8192ull;

bool allDigits(const std::string& text)
{
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// "1280x720": both sides from 1 to 16384 and at most 8192 x 8192 pixels in all,
// the largest render targets the game is prepared to make.
std::optional<std::pair<uint32_t, uint32_t>> readSize(const std::string& text)
{
    const auto x = text.find('x');
    if (x == std::string::npos) return std::nullopt;
    const std::string w = text.substr(0, x), h = text.substr(x + 1);
    if (!allDigits(w) || !allDigits(h)) return std::nullopt;
    const unsigned long width = std::strtoul(w.c_str(), nullptr, 10), height = std::strtoul(h.c_str(), nullptr, 10);
    if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide) return std::nullopt;
    if (static_cast<uint64_t>(width) * height > kLargestArea) return std::nullopt;
    return std::make_pair(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
}

}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    CommandLine result;
    LaunchOptions& o = result.options;
    std::string level, size;
    bool fullscreen = false, windowed = false;

    CLI::App app{"Vaultrise: steer the astronaut up the floating platforms to the goal before the void catches you.\n"
                 "With no options the game reads " +
                 std::string(kDefaultSettingsPath) + " in the current folder."};
    app.name("vaultrise");
    app.set_version_flag("--version", "vaultrise " VAULTRISE_VERSION);
    app.add_option("--settings", o.settingsPath, "Read the settings from FILE")->type_name("FILE");
    app.add_option("--level", level, "Play level N (<assetPath>/settings/levelN.ini) instead of the settings' level")
        ->type_name("N")
        ->check(CLI::Validator([](std::string& v) { return allDigits(v) ? "" : "'" + v + "' is not a level number"; },
                               "", "level number"));
    auto* full = app.add_flag("--fullscreen", fullscreen, "Cover the primary monitor");
    auto* window = app.add_flag("--windowed", windowed, "Open a window");
    full->excludes(window);
    app.add_option("--size", size, "Render size, e.g. 1280x720 (each side 1..16384, at most 8192x8192 pixels)")
        ->type_name("WIDTHxHEIGHT")
        ->check(CLI::Validator(
            [](std::string& v) { return readSize(v) ? "" : "'" + v + "' is not a usable size such as 1280x720"; },
            "", "size"));

    // Benchmark mode, its own group so it stays apart from the play options.
    bool bench = false;
    LaunchOptions::Bench benchOptions;
    auto* benchFlag = app.add_flag("--bench", bench, "Play a fixed key script and print start-up and frame timings")
                          ->group("Benchmark");
    app.add_option("--bench-frames", benchOptions.frames, "Frames to measure (default 300)")
        ->type_name("N")
        ->check(CLI::Range(1, 1000000))
        ->needs(benchFlag)
        ->group("Benchmark");
    app.add_option("--bench-script", benchOptions.script, "Key script to play (default: no key pressed)")
        ->type_name("FILE")
        ->check(CLI::ExistingFile)
        ->needs(benchFlag)
        ->group("Benchmark");
    app.add_option("--bench-bursts", benchOptions.bursts, "Jump bursts spawned before the first frame (default 0)")
        ->type_name("N")
        ->check(CLI::Range(0, 100000))
        ->needs(benchFlag)
        ->group("Benchmark");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        result.exitStatus = 0;
        return result;
    } catch (const CLI::CallForVersion& version) {
        out << version.what() << "\n";
        result.exitStatus = 0;
        return result;
    } catch (const CLI::ParseError& error) {
        err << "vaultrise: " << error.what() << "\n" << app.help();
        result.exitStatus = 2;
        return result;
    }

    if (!level.empty()) o.level = level;
    if (fullscreen) o.fullscreen = true;
    if (windowed) o.fullscreen = false;
    if (const auto wh = readSize(size)) {
        o.width = wh->first;
        o.height = wh->second;
    }
    if (bench) o.bench = benchOptions;
    return result;
}
