#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "sim/settings/KeyboardKey.h"

// The keyboard's key names as the settings write them: GLFW 3.3's key names
// without their prefix ("Z", "SPACE", "LEFT_SHIFT", "F5", "KP_8"), which
// players already know from other games' files.

// The key for a name in any letter case, none for a name that is no key.
std::optional<KeyboardKey> keyNamed(std::string_view name);

// The name of a key (upper case), "?" for None.
std::string keyNameOf(KeyboardKey key);
