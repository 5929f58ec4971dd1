// libFuzzer target: one text serves as both the settings file (its element
// catalogue) and the level file; the level is built with its physics world and
// played for a second with W and Space held. Whatever the text, no step moves
// the character further than its speed cap allows and the HUD shows numbers.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include <glm/geometric.hpp>

#include "core/IniFile.h"
#include "core/Units.h"
#include "sim/frame/GameLoop.h"
#include "sim/frame/GameSession.h"
#include "sim/run/ScriptedHost.h"

namespace {

bool showsNumber(const std::string& text) { return text.find_first_of("ni") == std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::ostringstream log;
    IniFile settings = IniFile::fromText(text);
    StartupConfig config = StartupConfig::read(settings, log);
    config.loadTime = 0;
    GameSession session(config, std::move(settings), IniFile::fromText(text), log);
    ScriptedHost host;
    GameLoop loop(session, host);

    const float maxStep = session.physics.characterMaxLinearVelocity * kFixedStep * 1.0001f;
    glm::vec3 last = session.character.getPosition();
    for (int frame = 1; frame <= 60; ++frame) {
        host.hold(frame % 2 ? std::vector<Key>{Key::W, Key::Space} : std::vector<Key>{Key::W});
        loop.runFrame(static_cast<float>(frame) * kFixedStep);
        const glm::vec3 now = session.character.getPosition();
        if (glm::distance(now, last) > maxStep) __builtin_trap();
        if (!showsNumber(session.hud.distanceText()) || !showsNumber(session.hud.voidText())) __builtin_trap();
        last = now;
        if (host.closing) break;
    }
    return 0;
}
