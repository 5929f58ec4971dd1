#pragma once
#include <memory>
#include <sstream>
#include <string>

#include "core/IniFile.h"
#include "sim/physics/PhysicsWorld.h"

// What was written to a log since the last call.
inline std::string takeLog(std::ostringstream& log)
{
    std::string text = log.str();
    log.str("");
    return text;
}

// A level file and the physics world built from it; the world keeps a
// pointer to the reader, so both live together. Its lines go to `log`.
struct TestWorld {
    explicit TestWorld(const std::string& levelText, SimulationCallback* callback = nullptr)
        : levelFile(std::make_unique<IniFile>(IniFile::fromText(levelText))),
          world(std::make_unique<PhysicsWorld>(*levelFile, callback, log))
    {
    }
    void step(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            world->stepSimulation(1.0f / 60.0f);
            world->fetchSimulationResults();
        }
    }
    std::ostringstream log;
    std::unique_ptr<IniFile> levelFile;
    std::unique_ptr<PhysicsWorld> world;
};
