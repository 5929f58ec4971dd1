#pragma once
#include <utility>

#include "sim/settings/LaunchOptions.h"

// The whole program: start-up in its fixed order, the frame loop, shutdown.
class Application {
public:
    explicit Application(LaunchOptions options = {}) : options(std::move(options)) {}

    // Returns the process exit status: 0 after a normal shutdown.
    int run();

private:
    LaunchOptions options;
};
