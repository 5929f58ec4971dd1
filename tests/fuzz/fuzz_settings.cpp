// libFuzzer target: any settings text gives start-up values the game can use.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "core/IniFile.h"
#include "sim/settings/StartupConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const IniFile settings = IniFile::fromText(std::string_view(reinterpret_cast<const char*>(data), size));
    std::ostringstream log;
    const StartupConfig config = StartupConfig::read(settings, log);
    const uint64_t pixels = uint64_t{config.renderWidth} * config.renderHeight;
    if (config.renderWidth == 0 || config.renderHeight == 0 || pixels > uint64_t{8192} * 8192) __builtin_trap();
    if (!std::isfinite(config.brightness) || !std::isfinite(config.aspectRatio)) __builtin_trap();
    return 0;
}
