#pragma once

#include <string>

#include "Image.h"

// Neon panel of the level boxes. `neon` is the rim colour; `phase` drives the
// pulse and the travelling highlight (0 and `animated` false give the still
// panel of the walls and the floor).
void paintNeonPanel(Image& image, const Color& neon, float phase, bool animated, unsigned seed);

// Hot energy slab of the void. `frames` is the loop length (noise time runs
// once around its period per loop); a still picture passes 0 and 1.
void paintLaser(Image& image, int frame, int frames);

// The three screens: goal pad portal, synthwave sun, city skyline.
void paintPortal(Image& image, int frame, float phase);
void paintSynthwave(Image& image, int frame, float phase);
void paintSkyline(Image& image, int frame, float phase);

// Writes every single texture into `texturesDir`; false on a write failure.
bool writeSingleTextures(const std::string& texturesDir);

// Writes the six frame sequences under `texturesDir`; false on a write failure.
bool writeAnimatedTextures(const std::string& texturesDir);

// The game's icon: the astronaut's sphere on neon platforms above the void, on
// a dark rounded tile with a transparent surround (RGBA).
void paintIcon(Image& image);

// The icon's sizes, each written as icons/vaultrise_<size>.png.
inline constexpr int kIconSizes[] = {32, 48, 64, 128, 256};

// Writes the icon in every size into `iconsDir`; false on a write failure.
bool writeIcons(const std::string& iconsDir);
