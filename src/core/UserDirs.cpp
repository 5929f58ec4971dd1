#include "core/UserDirs.h"

#include <sstream>
#include <string>

#include "core/FileCheck.h"

namespace fs = std::filesystem;

namespace {

bool absolute(const char* path)
{
    return path && path[0] == '/';
}

std::string_view trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The value between the quotes with the shell's backslash escapes undone;
// nullopt when it is not one quoted word.
std::optional<std::string> unquote(std::string_view value)
{
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::nullopt;
    std::string text;
    for (size_t i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == '"') return std::nullopt;
        if (value[i] == '\\' && i + 2 < value.size()) ++i;
        text += value[i];
    }
    return text;
}

}  // namespace

std::optional<fs::path> userDirFromText(std::string_view text, std::string_view name, const char* home)
{
    std::optional<fs::path> found;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == '#') continue;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || trim(line.substr(0, equals)) != name) continue;
        const auto value = unquote(trim(line.substr(equals + 1)));
        if (!value) continue;
        // The last assignment wins, as when the shell sources the file.
        if (value->rfind("$HOME", 0) == 0 && (value->size() == 5 || (*value)[5] == '/')) {
            if (!absolute(home)) continue;
            const std::string rest = value->substr(5);
            const size_t inside = rest.find_first_not_of('/');
            found = inside == std::string::npos ? std::optional<fs::path>() : fs::path(home) / rest.substr(inside);
        } else if (!value->empty() && (*value)[0] == '/') {
            found = fs::path(*value);
        }
    }
    if (found && absolute(home) && fs::path(home).lexically_normal() == found->lexically_normal()) return std::nullopt;
    return found;
}

std::optional<fs::path> userDir(std::string_view name, const char* xdgConfigHome, const char* home)
{
    fs::path config;
    if (absolute(xdgConfigHome))
        config = xdgConfigHome;
    else if (absolute(home))
        config = fs::path(home) / ".config";
    else
        return std::nullopt;
    std::ostringstream quiet;
    const CheckedFile file = readCheckedFile((config / "user-dirs.dirs").string(), FileKind::Ini, quiet);
    if (!file.bytes) return std::nullopt;
    return userDirFromText(*file.bytes, name, home);
}
