#pragma once
#include <optional>
#include <string>
#include <string_view>

// The window system's key names and codes (GLFW 3.3's GLFW_KEY_* names without
// the prefix: "Z", "SPACE", "LEFT_SHIFT", "F5", "KP_8"), kept here so that the
// settings can name keys without the simulation seeing a window header. The
// codes are the values GLFW 3.3 gives its key constants; they do not change.

// The key's code for a name in any letter case, none for a name GLFW lacks.
std::optional<int> keyCodeNamed(std::string_view name);

// The name of a code in the table (upper case), "?" for any other.
std::string keyNameOf(int code);
