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

CreatedFile createTimedFile(const fs::path& folder, const std::string& prefix, const char* timeFormat,
                            const char* separator, const char* extension, std::time_t now)
{
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, timeFormat, &local);
    return createUnusedFile(folder, prefix + stamp, separator, extension);
}
