#pragma once
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// Writes text to a fresh file under the system's temporary folder and returns its path.
inline std::string writeTempFile(const std::string& stem, const std::string& text)
{
    static std::atomic<int> counter{0};
    const auto path = std::filesystem::temp_directory_path() /
                      ("vaultrise_" + stem + "_" + std::to_string(getpid()) + "_" + std::to_string(counter++) + ".ini");
    std::ofstream(path) << text;
    return path.string();
}
