#pragma once
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/IniFile.h"
#include "gameplay/PhysicsWorld.h"

// Writes an INI text to a temporary file unique to this process and returns its path.
inline std::string writeTempIni(const std::string& text)
{
    static std::atomic<int> counter{0};
    const auto path = std::filesystem::temp_directory_path() /
                      ("vaultrise_sim_" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + ".ini");
    std::ofstream(path) << text;
    return path.string();
}

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
