#pragma once
#include <iosfwd>
#include <utility>

#include "sim/settings/LaunchOptions.h"

// The whole program: start-up in its fixed order, the frame loop, shutdown.
class Application {
public:
    // Every line the game prints goes to `log`; a replay that cannot be played is reported on `errors`.
    Application(LaunchOptions options, std::ostream& log, std::ostream& errors)
        : options(std::move(options)), log(log), errors(errors)
    {
    }

    // Returns the process exit status: 0 after a normal shutdown.
    int run();

private:
    LaunchOptions options;
    std::ostream& log;
    std::ostream& errors;
};
