#pragma once
#include "sim/settings/StartupConfig.h"

// The settings that change what the simulation does; the others (window, light,
// animations) change only the picture. A replay carries these so that it plays
// the same game whatever the settings file says today.
struct SimulationSettings {
    int loadTime = 120;
    bool debug = false;
    bool useGameCamera = true;

    static SimulationSettings of(const StartupConfig& config)
    {
        return {config.loadTime, config.debug, config.useGameCamera};
    }
    void applyTo(StartupConfig& config) const
    {
        config.loadTime = loadTime;
        config.debug = debug;
        config.useGameCamera = useGameCamera;
    }
};
