#include <cmath>
#include <iostream>

#include "MeshBuilder.h"
#include "Models.h"

namespace {

constexpr float kPi = 3.14159265359f;

const Vec3 kUp(0, 1, 0);
const Vec3 kRight(1, 0, 0);
const Vec3 kForward(0, 0, -1);

bool finish(const MeshBuilder& mesh, const std::string& dir, const std::string& name, const std::string& comment,
            const std::vector<Material>& materials)
{
    const bool ok = mesh.writeObj(dir + "/" + name + ".obj", name + ".mtl", comment) &&
                    writeMtl(dir + "/" + name + ".mtl", materials);
    if (!ok) std::cout << "Cannot write " << dir << "/" << name << ".obj\n";
    return ok;
}

}  // namespace

// The astronaut rides a sphere of radius 1 centred on the model origin. The
// figure spans y = -1 (boot soles, where the sphere touches the ground) to
// about +1 (helmet top), faces -z (away from the default follow camera) and
// carries its backpack on +z.
bool writeAstronaut(const std::string& dir)
{
    MeshBuilder mesh;
    mesh.beginGroup("suit", "suit");
    // Torso: a capsule slightly flattened front to back.
    mesh.addLathe({0, -0.28f, 0}, kUp, kRight, capsuleProfile(0.29f, 0.5f, 12), 28, 1.0f, 0.8f);
    for (float side : {-1.0f, 1.0f}) {
        mesh.addCapsule({0.14f * side, -0.32f, 0}, {0.15f * side, -0.8f, 0}, 0.12f);                // leg
        mesh.addCapsule({0.33f * side, 0.24f, 0}, {0.45f * side, -0.2f, -0.05f}, 0.095f);           // arm
        mesh.addLathe({0.47f * side, -0.37f, -0.06f}, kUp, kRight, sphereProfile(0.105f, 10), 16);  // glove
        // Boot: an ellipsoid along z with a flat-ish sole reaching y = -1.
        mesh.addLathe({0.15f * side, -0.915f, 0.14f}, kForward, kRight, ellipsoidProfile(0.12f, 0.18f, 10), 20, 1.0f, 0.7f);
    }
    // Helmet shell and neck ring.
    mesh.addLathe({0, 0.38f, 0}, kUp, kRight, sphereProfile(0.3f, 16), 32);
    mesh.addLathe({0, 0.34f, 0}, kUp, kRight, cylinderProfile(0.21f, 0.08f), 28);
    // Antenna.
    mesh.addCapsule({0.13f, 0.86f, 0.12f}, {0.16f, 0.97f, 0.16f}, 0.015f, 8, 4);

    mesh.beginGroup("visor", "visor");
    const int visorStart = mesh.vertexCount();
    mesh.addLathe({0, 0.69f, 0.19f}, kForward, kRight, ellipsoidProfile(0.25f, 0.26f, 14), 28, 1.0f, 0.76f);
    mesh.projectUv(visorStart, {0, 0.69f, 0}, kRight, kUp, 0.52f);

    mesh.beginGroup("pack", "pack");
    mesh.addBox({0, 0.12f, 0.31f}, {0.26f, 0.3f, 0.11f});
    mesh.addBox({0, 0.1f, -0.245f}, {0.12f, 0.08f, 0.03f});  // chest control unit
    mesh.addCapsule({-0.18f, -0.18f, 0.43f}, {-0.18f, 0.38f, 0.43f}, 0.05f, 12, 6);  // oxygen tanks
    mesh.addCapsule({0.18f, -0.18f, 0.43f}, {0.18f, 0.38f, 0.43f}, 0.05f, 12, 6);

    return finish(mesh, dir, "astronaut",
                  "Astronaut: origin at the centre of the riding sphere, y from -1 (soles) to +1, facing -z",
                  {{"suit", "astronaut_suit.png", 0.3f, 16.0f},
                   {"visor", "astronaut_visor.png", 0.9f, 96.0f},
                   {"pack", "astronaut_pack.png", 0.4f, 24.0f}});
}

// The power-up beet: a root bulb with a thin tail at y = -1 and a crown of
// leaves reaching y = +1; the origin is the middle of that span, on the axis.
bool writeBeet(const std::string& dir)
{
    MeshBuilder mesh;
    mesh.beginGroup("root", "root");
    std::vector<std::array<float, 2>> outline;
    const float centre = -0.12f, radius = 0.46f;
    for (int i = 0; i <= 48; ++i) {
        const float h = -1.0f + (centre + radius + 1.0f) * (1.0f - std::cos(kPi * i / 48.0f)) * 0.5f;
        const float tail = 0.035f * std::sqrt(std::max(0.0f, (h + 1.0f) / 0.45f));
        const float q = (h - centre) / radius;
        const float bulb = q < 1.0f ? radius * std::sqrt(std::max(0.0f, 1.0f - q * q)) * (1.0f - 0.12f * q) : 0.0f;
        const float r = i == 0 || i == 48 ? 0.0f : std::max(tail, bulb);
        outline.push_back({r, h});
    }
    mesh.addLathe({0, 0, 0}, kUp, kRight, curveProfile(outline), 32);

    // Leaf stems and blades around the crown.
    std::vector<Vec3> leafBases;
    for (int i = 0; i < 5; ++i) {
        const float a = 2.0f * kPi * i / 5.0f + 0.3f;
        const Vec3 out(std::cos(a), 0, std::sin(a));
        const Vec3 base = Vec3(0, 0.58f, 0) + out * 0.2f;
        mesh.addCapsule({0, 0.3f, 0}, base, 0.025f, 10, 4);
        leafBases.push_back(base);
    }

    mesh.beginGroup("leaves", "leaf");
    for (int i = 0; i < 5; ++i) {
        const float a = 2.0f * kPi * i / 5.0f + 0.3f;
        const Vec3 out(std::cos(a), 0, std::sin(a));
        const Vec3 dir = (out * 0.55f + kUp * 0.8f).normalized();
        const Vec3 side = cross(dir, out).normalized();  // the blade's width runs sideways
        std::vector<std::array<float, 2>> blade;
        const float length = 0.5f;
        for (int k = 0; k <= 16; ++k) {
            const float t = static_cast<float>(k) / 16.0f;
            blade.push_back({k == 0 || k == 16 ? 0.0f : 0.17f * std::pow(std::sin(kPi * t), 0.7f) * (1.0f - 0.3f * t),
                             length * t});
        }
        mesh.addLathe(leafBases[i], dir, side, curveProfile(blade), 16, 1.0f, 0.15f);
    }
    return finish(mesh, dir, "beet", "Beet power-up: origin at its centre, y from -1 (tail tip) to +1 (leaf tips)",
                  {{"root", "beet_root.png", 0.35f, 32.0f}, {"leaf", "beet_leaf.png", 0.2f, 12.0f}});
}

// The goal flag: origin at the foot of a 10-unit pole standing along +y. The
// cloth hangs from the top of the pole in the xy plane, facing +z, 6 wide
// (x from the pole to the free end) and 4 high, as a 32 x 20 grid of quads so
// the waving vertex shader can bend it smoothly. A waving shader should scale
// its displacement with x so the pole side stays attached.
bool writeFlag(const std::string& dir)
{
    MeshBuilder mesh;
    mesh.beginGroup("pole", "pole");
    mesh.addLathe({0, 0, 0}, kUp, kRight, cylinderProfile(0.12f, 10.0f), 16);
    mesh.addLathe({0, -0.02f, 0}, kUp, kRight, cylinderProfile(0.4f, 0.12f), 24);  // foot plate
    mesh.addLathe({0, 9.95f, 0}, kUp, kRight, sphereProfile(0.22f, 10), 16);        // finial

    mesh.beginGroup("cloth", "cloth");
    const int columns = 32, rows = 20;
    const float left = 0.12f, width = 6.0f, top = 9.7f, height = 4.0f;
    const int first = mesh.vertexCount();
    for (int j = 0; j <= rows; ++j)
        for (int i = 0; i <= columns; ++i) {
            const float u = static_cast<float>(i) / columns, down = static_cast<float>(j) / rows;
            // OBJ v grows upwards; the loader flips it, so the picture's top row lands at the cloth's top.
            mesh.addVertex({left + width * u, top - height * down, 0}, {0, 0, 1}, u, 1.0f - down);
        }
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i) {
            const int a = first + j * (columns + 1) + i, b = a + 1, c = a + columns + 1, d = c + 1;
            mesh.addTriangle(a, c, d);
            mesh.addTriangle(a, d, b);
        }
    return finish(mesh, dir, "flag", "Goal flag: origin at the pole foot; cloth 6 x 4 at the top of a 10-unit pole, facing +z",
                  {{"pole", "flag_pole.png", 0.6f, 48.0f}, {"cloth", "../textures/flag.png", 0.1f, 8.0f}});
}
