#include "sim/replay/ReplayStore.h"

#include "core/XdgPaths.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The level setting as it may appear in a file name.
std::string fileSafe(const std::string& level)
{
    std::string safe;
    for (char c : level) safe += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') ? c : '_';
    return safe.substr(0, 40);
}

void keepNewest(const fs::path& folder, int keep)
{
    std::error_code error;
    std::vector<std::pair<fs::file_time_type, fs::path>> runs;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.is_regular_file(error) && entry.path().extension() == ".replay")
            runs.emplace_back(entry.last_write_time(error), entry.path());
    std::sort(runs.begin(), runs.end());
    for (size_t i = 0; i + static_cast<size_t>(std::max(keep - 1, 0)) < runs.size(); ++i)
        fs::remove(runs[i].second, error);
}

}  // namespace

std::optional<fs::path> defaultReplayFolder(const char* xdgStateHome, const char* home)
{
    const auto base = xdgFolder(xdgStateHome, home, ".local/state");
    if (!base) return std::nullopt;
    return *base / "vaultrise" / "replays";
}

CreatedFile nextRunFile(const fs::path& folder, const std::string& level, std::time_t now, int keep,
                        std::string& error)
{
    std::error_code failure;
    fs::create_directories(folder, failure);
    if (failure || !fs::is_directory(folder)) {
        error = "cannot make " + folder.string() + (failure ? " (" + failure.message() + ")" : "");
        return {};
    }
    keepNewest(folder, keep);
    CreatedFile file = createTimedFile(folder, "level" + fileSafe(level) + "-", "%Y%m%d-%H%M%S", "-", ".replay", now);
    if (!file.valid()) error = "cannot create a file in " + folder.string() + " (" + std::strerror(errno) + ")";
    return file;
}

CreatedFile namedRunFile(const fs::path& named, int number)
{
    if (number <= 1) return openTruncated(named);
    const fs::path folder = named.parent_path().empty() ? fs::path(".") : named.parent_path();
    return createUnusedFile(folder, named.stem().string(), "-", named.extension().string());
}
