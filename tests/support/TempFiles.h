#pragma once
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

// Writes text to a fresh file under the system's temporary folder and returns its path.
inline std::string writeTempFile(const std::string& stem, const std::string& text)
{
    static std::atomic<int> counter{0};
    const auto path = std::filesystem::temp_directory_path() /
                      ("vaultrise_" + stem + "_" + std::to_string(getpid()) + "_" + std::to_string(counter++) + ".ini");
    std::ofstream(path) << text;
    return path.string();
}

// An empty folder of this name (and this process) under the system's temporary folder.
inline std::filesystem::path freshFolder(const std::string& name)
{
    const auto folder = std::filesystem::temp_directory_path() / ("vaultrise_" + name + "_" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}
