#include "sim/records/BestTimes.h"

#include <cmath>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <system_error>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "core/ContentHash.h"
#include "core/DurableFile.h"
#include "core/XdgPaths.h"

namespace fs = std::filesystem;

namespace {

std::string trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The records in `text`, or nullopt when any line is not part of the format.
std::optional<std::map<std::string, float>> parseRecords(const std::string& text)
{
    std::map<std::string, float> records;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        line = trim(line);
        if (line.empty() || line[0] == ';' || line == "[best]") continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) return std::nullopt;
        const std::string key = trim(line.substr(0, equals));
        const std::string value = trim(line.substr(equals + 1));
        char* end = nullptr;
        const float seconds = std::strtof(value.c_str(), &end);
        if (!parseHashText(key) || value.empty() || *end != '\0' || !std::isfinite(seconds) || seconds < 0.0f)
            return std::nullopt;
        records[key] = seconds;
    }
    return records;
}

// A time as the file keeps it: seconds to the millisecond.
std::string storedText(float seconds)
{
    char value[32];
    std::snprintf(value, sizeof value, "%.3f", static_cast<double>(seconds));
    return value;
}

float storedSeconds(float seconds)
{
    return std::strtof(storedText(seconds).c_str(), nullptr);
}

}  // namespace

std::optional<fs::path> BestTimes::defaultPath(const char* xdgDataHome, const char* home)
{
    const auto base = xdgFolder(xdgDataHome, home, ".local/share");
    if (!base) return std::nullopt;
    return *base / "vaultrise" / "records.ini";
}

bool BestTimes::load(std::ostream& log)
{
    records.clear();
    std::error_code error;
    if (!fs::exists(path, error)) return true;
    const auto bytes = readFileBytes(path.string(), FileKind::Ini);
    const auto parsed = bytes ? parseRecords(*bytes) : std::nullopt;
    if (!parsed) {
        log << "Best times: cannot read " << path.string() << ", left as it is; no new best is kept\n";
        writable = false;
        return false;
    }
    records = *parsed;
    return true;
}

std::optional<float> BestTimes::best(const std::string& levelHash) const
{
    const auto found = records.find(levelHash);
    if (found == records.end()) return std::nullopt;
    return found->second;
}

bool BestTimes::offer(const std::string& levelHash, float seconds, std::ostream& log)
{
    // Another game may have written since this one read: start from the file,
    // and keep other writers out until the new file is in place (a lock that
    // cannot be had only lets two writers race, which the rename survives).
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    const int lock = ::open((path.string() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lock >= 0) ::flock(lock, LOCK_EX);
    const bool kept = offerLocked(levelHash, seconds, log);
    if (lock >= 0) ::close(lock);  // closing releases the lock
    return kept;
}

bool BestTimes::offerLocked(const std::string& levelHash, float seconds, std::ostream& log)
{
    std::ostringstream quiet;
    if (!writable || !load(quiet)) return false;
    // Compared as it would be kept: a time that rounds to the record is no new best.
    const float kept = storedSeconds(seconds);
    const auto previous = best(levelHash);
    if (previous && *previous <= kept) return false;
    records[levelHash] = kept;
    return save(log);
}

bool BestTimes::save(std::ostream& log) const
{
    std::string text = "; Vaultrise best times: level file hash = seconds\n[best]\n";
    for (const auto& [hash, seconds] : records) text += hash + " = " + storedText(seconds) + "\n";
    return replaceFileDurably(path, text, log, "Best times");
}
