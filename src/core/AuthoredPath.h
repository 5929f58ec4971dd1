#pragma once
#include <string>

// A file named inside another file (a model's texture), as its author's tools
// wrote it: Windows exporters write "textures\Skin.PNG" or ".\Skin.jpg", and a
// case-insensitive file system lets the letter case drift from the file on
// disk. The name is read with '\' as a folder separator and without leading
// "./"; each part that does not exist as written is matched ignoring letter
// case when exactly one entry of its folder matches. The path found under
// `directory`, or the plain "<directory>/<name>" when nothing matches (the
// loader then reports it as missing, as always).
std::string resolveAuthoredPath(const std::string& directory, const std::string& name);
