#include "core/AuthoredPath.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The one entry of `folder` named `part` in any letter case; nullopt for none or several.
std::optional<fs::path> onlyCaseMatch(const fs::path& folder, const std::string& part)
{
    const std::string wanted = lowered(part);
    std::optional<fs::path> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (lowered(entry.path().filename().string()) != wanted) continue;
        if (found) return std::nullopt;
        found = entry.path();
    }
    return found;
}

}  // namespace

std::string resolveAuthoredPath(const std::string& directory, const std::string& name)
{
    const std::string plain = directory + "/" + name;
    std::string text = name;
    std::replace(text.begin(), text.end(), '\\', '/');
    while (text.rfind("./", 0) == 0) text.erase(0, 2);

    std::error_code error;
    fs::path resolved = directory;
    bool named = false;  // a name of only separators and dots names no file
    size_t start = 0;
    while (start <= text.size()) {
        const size_t slash = std::min(text.find('/', start), text.size());
        const std::string part = text.substr(start, slash - start);
        start = slash + 1;
        if (part.empty() || part == ".") continue;
        named = true;
        if (fs::exists(resolved / part, error) || part == "..") {
            resolved /= part;
            continue;
        }
        const auto match = onlyCaseMatch(resolved, part);
        if (!match) return plain;
        resolved = *match;
    }
    return named ? resolved.string() : plain;
}
