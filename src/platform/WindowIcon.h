#pragma once
#include <string>

struct GLFWwindow;

// The class name the window carries (WM_CLASS), which the desktop entry's
// StartupWMClass names so that docks group the window with its launcher.
inline constexpr const char* kWindowClass = "vaultrise";

// Gives the window the game's icon, <assetPath>/icons/vaultrise_<size>.png in
// the sizes the desktop picks from. Sizes that cannot be read are left out; a
// window with none keeps the desktop's default icon (the picture is not worth
// a line of its own).
void setWindowIcon(GLFWwindow* window, const std::string& assetPath);
