#include "core/FiniteValue.h"

#include <cmath>
#include <ostream>

#include "core/IniFile.h"

namespace {

// The one line every refused value gets: who read it, where it was, why it was
// refused and what is used instead.
float fallBack(std::ostream& log, const char* reader, const char* section, const char* key, const char* why,
               float fallback)
{
    log << reader << ": " << section << " " << key << " " << why << ", using " << fallback << "\n";
    return fallback;
}

}  // namespace

float readFiniteFloat(const IniFile& file, const char* section, const char* key, float fallback, std::ostream& log,
                      const char* reader)
{
    const float value = file.getFloat(section, key, fallback);
    if (!std::isfinite(value)) return fallBack(log, reader, section, key, "is not a finite number", fallback);
    return value;
}
