#include "platform/SolveCommand.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>

#include <unistd.h>

#include "platform/HeadlessCommands.h"

namespace {

constexpr const char* kClearToLineEnd = "\033[K";  // what is left of a longer line before

std::atomic<bool> interrupted{false};
struct sigaction previousHandler {};

extern "C" void stopOnInterrupt(int) { interrupted.store(true); }

// The progress line: rewritten in place on a terminal, otherwise a new line
// every ten seconds so that logs stay short.
std::function<void(const SolveProgress&)> progressLine(const SolveLimits& limits, std::ostream& out)
{
    const bool terminal = ::isatty(STDERR_FILENO) != 0;
    auto last = std::make_shared<std::chrono::steady_clock::time_point>();
    return [=, &out](const SolveProgress& p) {
        const auto now = std::chrono::steady_clock::now();
        if (now - *last < (terminal ? std::chrono::milliseconds(200) : std::chrono::seconds(10))) return;
        *last = now;
        char text[256];
        const std::string left = limits.frames ? std::to_string(std::max(0LL, *limits.frames - p.simulated)) + " frames"
                                               : std::to_string(static_cast<long long>(
                                                     std::max(0.0, limits.seconds - p.secondsUsed))) + " s";
        std::snprintf(text, sizeof text, "stage %d: %s, best height %.1f, %s left", p.stage, p.highestSurface.c_str(),
                      static_cast<double>(p.highestTop), left.c_str());
        if (terminal)
            out << '\r' << text << kClearToLineEnd << std::flush;
        else
            out << text << "\n";
    };
}

}  // namespace

InterruptStopsSearch::InterruptStopsSearch()
{
    interrupted.store(false);
    struct sigaction action {};
    action.sa_handler = stopOnInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &previousHandler);
}

InterruptStopsSearch::~InterruptStopsSearch() { ::sigaction(SIGINT, &previousHandler, nullptr); }

SolveRequest solveRequestFor(const LaunchOptions& options, const std::string& levelPath, std::ostream& progressOut)
{
    SolveRequest request;
    request.files = {options.settingsPath, levelPath};
    request.limits.seconds = options.solve.seconds;
    request.limits.frames = options.solve.frames;
    request.limits.stop = &interrupted;
    request.out = options.solve.out;
    request.xdgDataHome = std::getenv("XDG_DATA_HOME");
    request.home = std::getenv("HOME");
    request.progress = progressLine(request.limits, progressOut);
    return request;
}

int runSolveLevel(const LaunchOptions& options, std::ostream& out, std::ostream& progressOut)
{
    const InterruptStopsSearch stopper;
    const std::string levelPath = levelPathFor(options, *options.solveLevel);
    const int status = solveAndWrite(solveRequestFor(options, levelPath, progressOut), out);
    if (::isatty(STDERR_FILENO)) progressOut << "\n";
    return status;
}
