#include "core/XdgPaths.h"

namespace fs = std::filesystem;

namespace {

bool absolute(const char* path) { return path && path[0] == '/'; }

}  // namespace

std::optional<fs::path> xdgFolder(const char* xdgValue, const char* home, const char* underHome)
{
    if (absolute(xdgValue)) return fs::path(xdgValue);
    if (absolute(home)) return fs::path(home) / underHome;
    return std::nullopt;
}

fs::path unusedTimedPath(const fs::path& folder, const std::string& prefix, const char* timeFormat,
                         const char* separator, const char* extension, std::time_t now)
{
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, timeFormat, &local);
    const std::string stem = prefix + stamp;
    fs::path path = folder / (stem + extension);
    std::error_code error;
    for (int n = 2; fs::exists(path, error) && n < 100; ++n)
        path = folder / (stem + separator + std::to_string(n) + extension);
    return path;
}
