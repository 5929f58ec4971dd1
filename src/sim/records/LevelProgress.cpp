#include "sim/records/LevelProgress.h"

#include <ostream>
#include <sstream>
#include <system_error>

#include <ini.h>

#include "core/FileCheck.h"
#include "core/XdgPaths.h"
#include "core/DurableFile.h"

namespace fs = std::filesystem;

std::optional<fs::path> LevelProgress::defaultPath(const char* xdgDataHome, const char* home)
{
    const auto base = xdgFolder(xdgDataHome, home, ".local/share");
    if (!base) return std::nullopt;
    return *base / "vaultrise" / "progress.ini";
}

namespace {

int collectWon(void* user, const char* section, const char* key, const char* value)
{
    const std::string word = value;
    if (std::string(section) == "won" && (word == "true" || word == "1" || word == "yes" || word == "on"))
        static_cast<std::set<std::string>*>(user)->insert(key);
    return 1;
}

}  // namespace

void LevelProgress::load(std::ostream& log)
{
    wonLevels.clear();
    std::error_code error;
    if (!fs::exists(path, error)) return;
    std::ostringstream quiet;  // the line below says it for every refusal
    const CheckedFile file = readCheckedFile(path.string(), FileKind::Ini, quiet);
    if (!file.bytes || file.bytes->find('\0') != std::string::npos ||
        ini_parse_string(file.bytes->c_str(), collectWon, &wonLevels) != 0) {
        wonLevels.clear();
        log << "Progress: cannot read " << path.string() << ", every level but the first stays locked\n";
    }
}

void LevelProgress::markWon(const std::string& levelName, std::ostream& log)
{
    if (won(levelName)) return;
    wonLevels.insert(levelName);
    std::string text = "; Vaultrise: the levels won, which open the next ones\n[won]\n";
    for (const std::string& name : wonLevels) text += name + " = true\n";
    replaceFileDurably(path, text, log, "Progress: cannot save");
}

std::vector<bool> LevelProgress::locked(const std::vector<std::string>& levelNames, bool unlockAll) const
{
    std::vector<bool> result(levelNames.size(), false);
    if (unlockAll) return result;
    for (size_t i = 1; i < levelNames.size(); ++i) result[i] = !won(levelNames[i - 1]);
    return result;
}
