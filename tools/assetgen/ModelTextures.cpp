#include <algorithm>
#include <cmath>
#include <iostream>

#include "Image.h"
#include "Models.h"
#include "Noise.h"

namespace {

constexpr float kPi = 3.14159265359f;

// Off-white suit fabric with quilted seams and a magenta piping band.
void paintSuit(Image& image)
{
    const Noise fabric(0x5017u, 32, 32, 1);
    image.paint([&](float u, float v) {
        Color c = Color(0.93f, 0.94f, 0.96f) * (0.9f + 0.1f * fabric.fbm(u * 32, v * 32, 0, 2));
        const float seam = std::min(std::fabs(fract(v * 6.0f) - 0.5f), std::fabs(fract(u * 8.0f) - 0.5f));
        c = c * (0.85f + 0.15f * smoothstep(0.0f, 0.06f, 0.5f - seam));
        const float band = std::fabs(v - 0.5f);
        if (band < 0.035f) c = mix(Color(1.0f, 0.2f, 0.75f), Color(1, 0.8f, 0.95f), glow(band, 0.01f));
        return c;
    });
}

// Dark gold visor, lighter towards the top, with a soft window reflection.
void paintVisor(Image& image)
{
    image.paint([&](float u, float v) {
        Color c = mix(Color(0.55f, 0.38f, 0.08f), Color(0.12f, 0.07f, 0.02f), smoothstep(0.15f, 0.85f, v));
        const float streak = glow(std::hypot((u - 0.36f) * 1.0f, (v - 0.3f) * 2.2f), 0.09f);
        c = mix(c, Color(1.0f, 0.93f, 0.7f), 0.8f * streak);
        c += Color(0.1f, 0.6f, 0.8f) * (0.25f * glow(std::fabs(v - 0.62f + 0.2f * (u - 0.5f)), 0.03f));
        return c;
    });
}

// Backpack and chest unit: light grey plates, dark vents, cyan status lights.
void paintPack(Image& image)
{
    const Noise grain(0xBAC4u, 16, 16, 1);
    image.paint([&](float u, float v) {
        Color c = Color(0.78f, 0.8f, 0.84f) * (0.92f + 0.08f * grain.fbm(u * 16, v * 16, 0, 2));
        const float edge = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
        c = c * (0.7f + 0.3f * smoothstep(0.02f, 0.06f, edge));
        if (u > 0.2f && u < 0.8f && v > 0.55f && v < 0.85f && fract(v * 20.0f) < 0.5f) c = Color(0.15f, 0.16f, 0.2f);
        for (int i = 0; i < 3; ++i) {
            const float d = std::hypot(u - (0.3f + 0.2f * i), v - 0.3f);
            const Color light = i == 1 ? Color(1.0f, 0.2f, 0.8f) : Color(0.2f, 0.9f, 1.0f);
            c = mix(c, light, 1.0f - smoothstep(0.05f, 0.07f, d));
            c += light * (0.4f * glow(d, 0.1f));
        }
        return c;
    });
}

// Beet skin: deep red-purple with pale growth rings and fine vertical veins.
void paintBeetRoot(Image& image)
{
    const Noise skin(0xBEE7u, 8, 8, 1);
    image.paint([&](float u, float v) {
        const float n = skin.fbm(u * 8, v * 8, 0, 3);
        Color c = mix(Color(0.35f, 0.02f, 0.16f), Color(0.6f, 0.06f, 0.3f), n);
        c += Color(0.25f, 0.05f, 0.15f) * (0.5f * glow(std::fabs(fract(v * 9.0f + 0.3f * n) - 0.5f), 0.05f));
        c = c * (0.85f + 0.15f * std::cos(u * 2.0f * kPi * 24.0f + n * 6.0f));
        return c;
    });
}

// Leaf: green blade with a red-purple midrib and side veins.
void paintBeetLeaf(Image& image)
{
    const Noise tissue(0x1EAFu, 8, 8, 1);
    image.paint([&](float u, float v) {
        // u runs around the flattened blade: 0 and 0.5 are its two edges' midline.
        const float across = std::fabs(std::sin(u * 2.0f * kPi));
        Color c = mix(Color(0.08f, 0.35f, 0.06f), Color(0.25f, 0.7f, 0.15f), tissue.fbm(u * 8, v * 8, 0, 3));
        const float rib = across;  // the midrib sits where the blade faces are widest apart
        c = mix(c, Color(0.55f, 0.05f, 0.25f), glow(1.0f - rib, 0.04f));
        const float vein = std::fabs(fract(v * 7.0f + across * 0.8f) - 0.5f);
        c = mix(c, Color(0.45f, 0.75f, 0.3f), 0.35f * glow(vein, 0.04f));
        return c;
    });
}

// Flag pole: brushed steel with glowing cyan rings.
void paintPole(Image& image)
{
    image.paint([&](float u, float v) {
        Color c = Color(0.55f, 0.57f, 0.62f) * (0.75f + 0.25f * std::cos(u * 2.0f * kPi));
        const float ring = std::fabs(fract(v * 10.0f) - 0.5f);
        c = mix(c, Color(0.4f, 0.95f, 1.0f), glow(ring, 0.03f));
        return c;
    });
}

bool save(const Image& image, const std::string& path)
{
    if (image.writePng(path, 3)) return true;
    std::cout << "Cannot write " << path << "\n";
    return false;
}

}  // namespace

bool writeModelTextures(const std::string& dir)
{
    Image suit(128, 128), visor(128, 128), pack(128, 128), root(128, 128), leaf(128, 128), pole(128, 128);
    paintSuit(suit);
    paintVisor(visor);
    paintPack(pack);
    paintBeetRoot(root);
    paintBeetLeaf(leaf);
    paintPole(pole);
    bool ok = save(suit, dir + "/astronaut_suit.png");
    ok &= save(visor, dir + "/astronaut_visor.png");
    ok &= save(pack, dir + "/astronaut_pack.png");
    ok &= save(root, dir + "/beet_root.png");
    ok &= save(leaf, dir + "/beet_leaf.png");
    ok &= save(pole, dir + "/flag_pole.png");
    return ok;
}
