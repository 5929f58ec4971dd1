#pragma once

// The whole program: start-up in its fixed order, the frame loop, shutdown.
class Application {
public:
    // Returns the process exit status: 0 after a normal shutdown.
    int run();
};
