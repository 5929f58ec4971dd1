#include "core/FiniteValue.h"

#include <cmath>
#include <ostream>
#include <sstream>
#include <string>

#include "core/IniFile.h"

namespace {

// The one line every refused value gets: who read it, where it was, why it was
// refused and what is used instead.
float fallBack(std::ostream& log, const char* reader, const char* section, const char* key, const std::string& why,
               float fallback)
{
    log << reader << ": " << section << " " << key << " " << why << ", using " << fallback << "\n";
    return fallback;
}

// Limits are whole numbers; they are written out in full rather than as 1e+06.
std::string wholeNumber(float limit) { return std::to_string(static_cast<long long>(limit)); }

std::string shown(float value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

}  // namespace

float checkFiniteFloat(float value, const char* section, const char* key, float fallback, std::ostream& log,
                       const char* reader, const FloatLimits& limits)
{
    if (!std::isfinite(value)) return fallBack(log, reader, section, key, "is not a finite number", fallback);
    if (limits.positive && !(value > 0.0f))
        return fallBack(log, reader, section, key, shown(value) + " is not a positive size", fallback);
    if (value < limits.lowest || value > limits.highest)
        return fallBack(log, reader, section, key,
                        shown(value) + " is outside " + wholeNumber(limits.lowest) + " to " +
                            wholeNumber(limits.highest),
                        fallback);
    return value;
}

float readFiniteFloat(const IniFile& file, const char* section, const char* key, float fallback, std::ostream& log,
                      const char* reader, const FloatLimits& limits)
{
    return checkFiniteFloat(file.getFloat(section, key, fallback), section, key, fallback, log, reader, limits);
}
