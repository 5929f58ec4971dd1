#include "audio/AudioSettings.h"

#include "core/FiniteValue.h"
#include "core/IniFile.h"

namespace {
constexpr FloatLimits kLevel{0.0f, 1.0f, false};
}

AudioSettings AudioSettings::read(const IniFile& settings, std::ostream& log)
{
    AudioSettings a;
    a.enabled = settings.getBool("audio", "enabled", a.enabled);
    a.volume = readFiniteFloat(settings, "audio", "volume", a.volume, log, "Settings", kLevel);
    a.effects = readFiniteFloat(settings, "audio", "effects", a.effects, log, "Settings", kLevel);
    a.music = readFiniteFloat(settings, "audio", "music", a.music, log, "Settings", kLevel);
    return a;
}
