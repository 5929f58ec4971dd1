#pragma once
#include <memory>
#include <string>

#include "core/IniFile.h"
#include "sim/physics/PhysicsWorld.h"
#include "support/TempFiles.h"

inline std::string writeTempIni(const std::string& text) { return writeTempFile("sim", text); }

// A level file and the physics world built from it; the world keeps a
// pointer to the reader, so both live together.
struct TestWorld {
    explicit TestWorld(const std::string& levelText, SimulationCallback* callback = nullptr)
        : levelFile(std::make_unique<IniFile>(writeTempIni(levelText))),
          world(std::make_unique<PhysicsWorld>(*levelFile, callback))
    {
    }
    void step(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            world->stepSimulation(1.0f / 60.0f);
            world->fetchSimulationResults();
        }
    }
    std::unique_ptr<IniFile> levelFile;
    std::unique_ptr<PhysicsWorld> world;
};
