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

// A level name is pasted into "level<name>.ini": letters, digits, '-' and '_'
// only, so that it names a file in the level folder and nowhere else.
bool isLevelName(const std::string& text)
{
    if (text.empty() || text.size() > 64) return false;
    for (char c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') return false;
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

// An empty value is what a script passes for an unset variable: bad usage, never
// "the option was not given", or the game would open a window or record elsewhere.
const CLI::Validator kNotEmpty(
    [](std::string& v) { return v.empty() ? std::string("an empty value") : std::string(); }, "", "not empty");

}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    CommandLine result;
    LaunchOptions& o = result.options;
    std::string level, size, recordPath, replayPath, checkLevel;
    bool fullscreen = false, windowed = false;

    CLI::App app{"Vaultrise: steer the astronaut up the floating platforms to the goal before the void catches you.\n"
                 "With no options the game reads " +
                 std::string(kDefaultSettingsPath) +
                 " in the current folder, else the one in its installed data folder."};
    app.name("vaultrise");
    app.set_version_flag("--version", "vaultrise " VAULTRISE_VERSION);
    auto* settingsOption = app.add_option("--settings", o.settingsPath, "Read the settings from FILE")
                               ->type_name("FILE")
                               ->check(kNotEmpty);
    auto* levelOption =
        app.add_option("--level", level,
                       "Play level NAME (<assetPath>/settings/levelNAME.ini, else your own "
                       "$XDG_DATA_HOME/vaultrise/levels/levelNAME.ini) instead of the settings' level")
            ->type_name("NAME")
            ->check(kNotEmpty)
            ->check(CLI::Validator(
                [](std::string& v) { return isLevelName(v) ? "" : "'" + v + "' is not a level name"; }, "",
                "level name"));
    auto* full = app.add_flag("--fullscreen", fullscreen, "Cover the primary monitor");
    auto* window = app.add_flag("--windowed", windowed, "Open a window");
    full->excludes(window);
    auto* sizeOption =
        app.add_option("--size", size, "Render size, e.g. 1280x720 (each side 1..16384, at most 8192x8192 pixels)")
            ->type_name("WIDTHxHEIGHT")
            ->check(kNotEmpty)
            ->check(CLI::Validator(
                [](std::string& v) { return readSize(v) ? "" : "'" + v + "' is not a usable size such as 1280x720"; },
                "", "size"));
    auto* record = app.add_option("--record", recordPath,
                                  "Record the run into FILE (by default every run is kept in "
                                  "$XDG_STATE_HOME/vaultrise/replays, the last 20)")
                       ->type_name("FILE")
                       ->check(kNotEmpty);
    auto* replay =
        app.add_option("--replay", replayPath, "Play the recorded run in FILE instead of the keyboard (Escape quits)")
            ->type_name("FILE")
            ->check(kNotEmpty)
            ->excludes(record)
            ->excludes(levelOption);
    app.add_flag(
           "--headless", o.headless,
           "With --replay: no window; print the outcome, the frame it was decided on and a hash of the final state")
        ->needs(replay);
    app.add_flag("--force", o.force, "With --replay: play it even if the level or the element catalogue has changed")
        ->needs(replay);
    auto* check =
        app.add_option("--check-level", checkLevel,
                       "Check level NAME (or the level file at PATH) and its proof run, print each problem, "
                       "exit 1 if there is any")
            ->type_name("NAME|PATH")
            ->check(kNotEmpty);
    for (auto* other : {record, replay, levelOption, full, window, sizeOption}) check->excludes(other);

    // The solver, its own group: --solve-level searches, and its budget also
    // bounds --check-level's search for a level without a proof run.
    std::string solveLevel, solveOut;
    auto* solve =
        app.add_option("--solve-level", solveLevel,
                       "Search for a run that wins level N (or the level file at PATH) and write it as a replay; "
                       "exit 1 if none is found")
            ->type_name("N|PATH")
            ->check(kNotEmpty)
            ->group("Solver");
    for (auto* other : {record, replay, levelOption, full, window, sizeOption, check}) solve->excludes(other);
    app.add_option("--solve-out", solveOut,
                   "With --solve-level: write the found run to FILE (default: the level's proof run if it has "
                   "none, else $XDG_DATA_HOME/vaultrise/<level>.solved.replay)")
        ->type_name("FILE")
        ->check(kNotEmpty)
        ->needs(solve)
        ->group("Solver");
    auto* budget = app.add_option("--solve-budget", o.solve.seconds,
                                  "Stop the search after SECONDS (default 60); also bounds --check-level's search "
                                  "for a level without a proof run")
                       ->type_name("SECONDS")
                       ->check(kNotEmpty)
                       ->check(CLI::Range(0.001, 86400.0))
                       ->group("Solver");
    long long solveFrames = 0;
    auto* frames = app.add_option("--solve-frames", solveFrames,
                                  "Stop the search after N simulated frames instead of a time: the same N always "
                                  "finds the same run, on any machine")
                       ->type_name("N")
                       ->check(kNotEmpty)
                       ->check(CLI::Range(1LL, 1000000000000LL))
                       ->excludes(budget)
                       ->group("Solver");
    auto* saveProof = app.add_flag("--save-proof", o.solve.saveProof,
                                   "With --check-level: keep the run found for a level without a proof run as its "
                                   "proof run")
                          ->needs(check)
                          ->group("Solver");
    (void)saveProof;

    // Benchmark mode, its own group so it stays apart from the play options.
    bool bench = false;
    LaunchOptions::Bench benchOptions;
    auto* benchFlag = app.add_flag("--bench", bench, "Play a fixed key script and print start-up and frame timings")
                          ->group("Benchmark");
    for (auto* other : {record, replay, check, solve}) benchFlag->excludes(other);
    app.add_option("--bench-frames", benchOptions.frames, "Frames to measure (default 300)")
        ->type_name("N")
        ->check(kNotEmpty)
        ->check(CLI::Range(1, 1000000))
        ->needs(benchFlag)
        ->group("Benchmark");
    app.add_option("--bench-script", benchOptions.script, "Key script to play (default: no key pressed)")
        ->type_name("FILE")
        ->check(kNotEmpty)
        ->check(CLI::ExistingFile)
        ->needs(benchFlag)
        ->group("Benchmark");
    app.add_option("--bench-bursts", benchOptions.bursts, "Jump bursts spawned before the first frame (default 0)")
        ->type_name("N")
        ->check(kNotEmpty)
        ->check(CLI::Range(0, 100000))
        ->needs(benchFlag)
        ->group("Benchmark");
    std::string soundTrace;
    app.add_option("--sound-trace", soundTrace,
                   "Write each sound started, with its frame and the audio device's clock, to FILE (the sound "
                   "latency benchmark)")
        ->type_name("FILE")
        ->check(kNotEmpty)
        ->excludes(benchFlag)
        ->excludes(check)
        ->excludes(solve)
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
    for (const auto* limit : {budget, frames})
        if (limit->count() > 0 && solve->count() == 0 && check->count() == 0) {
            err << "vaultrise: " << limit->get_name() << " requires --solve-level or --check-level\n" << app.help();
            result.exitStatus = 2;
            return result;
        }

    o.settingsNamed = settingsOption->count() > 0;
    if (!level.empty()) o.level = level;
    if (fullscreen) o.fullscreen = true;
    if (windowed) o.fullscreen = false;
    if (!recordPath.empty()) o.recordPath = recordPath;
    if (!replayPath.empty()) o.replayPath = replayPath;
    if (!checkLevel.empty()) o.checkLevel = checkLevel;
    if (!solveLevel.empty()) o.solveLevel = solveLevel;
    if (!solveOut.empty()) o.solve.out = solveOut;
    if (solveFrames > 0) o.solve.frames = solveFrames;
    if (const auto wh = readSize(size)) {
        o.width = wh->first;
        o.height = wh->second;
    }
    if (bench) o.bench = benchOptions;
    if (!soundTrace.empty()) o.soundTracePath = soundTrace;
    return result;
}
