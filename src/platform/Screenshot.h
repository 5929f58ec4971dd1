#pragma once
#include <ctime>
#include <filesystem>
#include <iosfwd>
#include <optional>

// F12: the window's picture as a PNG in $XDG_PICTURES_DIR/Vaultrise, else
// ~/Pictures/Vaultrise (made when missing), else the current folder, named by
// the date and time. Success prints "Screenshot saved: PATH"; a failure prints
// one line and the game plays on.

// Where the next picture goes. Arguments are the variables' values (null when unset).
std::filesystem::path screenshotPath(const char* xdgPicturesDir, const char* home, std::time_t now);

// Reads the default framebuffer (the frame just drawn, before the swap) of
// `width` × `height` pixels and writes it to `path`.
bool saveScreenshot(const std::filesystem::path& path, int width, int height, std::ostream& log);
