#include "MeshBuilder.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr float kPi = 3.14159265359f;

// Fixed formatting; tiny values print as 0 so no "-0.00000" appears.
void putFloat(std::FILE* f, float value)
{
    if (std::fabs(value) < 0.000005f) value = 0.0f;
    std::fprintf(f, " %.5f", value);
}

Vec3 perpendicular(const Vec3& axis)
{
    const Vec3 helper = std::fabs(axis.y) < 0.9f ? Vec3(0, 1, 0) : Vec3(1, 0, 0);
    return cross(helper, axis).normalized();
}

}  // namespace

std::vector<ProfilePoint> ellipsoidProfile(float radial, float axial, int rings)
{
    std::vector<ProfilePoint> out;
    for (int i = 0; i <= rings; ++i) {
        const float t = static_cast<float>(i) / rings;
        const float theta = kPi * t;
        const float s = std::sin(theta), c = std::cos(theta);
        const float nr = s / radial, nh = -c / axial;
        const float n = std::sqrt(nr * nr + nh * nh);
        out.push_back({radial * s, axial - axial * c, nr / n, nh / n, t});
    }
    return out;
}

std::vector<ProfilePoint> sphereProfile(float radius, int rings) { return ellipsoidProfile(radius, radius, rings); }

std::vector<ProfilePoint> capsuleProfile(float radius, float length, int rings)
{
    std::vector<ProfilePoint> out;
    const float total = length + 2.0f * radius;
    auto add = [&](float r, float h, float nr, float nh) { out.push_back({r, h, nr, nh, (h + radius) / total}); };
    for (int i = 0; i <= rings / 2; ++i) {
        const float theta = 0.5f * kPi * i / (rings / 2);
        add(radius * std::sin(theta), -radius * std::cos(theta), std::sin(theta), -std::cos(theta));
    }
    for (int i = 0; i <= rings / 2; ++i) {
        const float theta = 0.5f * kPi + 0.5f * kPi * i / (rings / 2);
        add(radius * std::sin(theta), length - radius * std::cos(theta), std::sin(theta), -std::cos(theta));
    }
    return out;
}

std::vector<ProfilePoint> cylinderProfile(float radius, float height)
{
    return {{0, 0, 0, -1, 0}, {radius, 0, 0, -1, 0}, {radius, 0, 1, 0, 0},
            {radius, height, 1, 0, 1}, {radius, height, 0, 1, 1}, {0, height, 0, 1, 1}};
}

std::vector<ProfilePoint> curveProfile(const std::vector<std::array<float, 2>>& points)
{
    std::vector<ProfilePoint> out;
    const size_t n = points.size();
    const float h0 = points.front()[1], h1 = points.back()[1];
    for (size_t i = 0; i < n; ++i) {
        const auto& prev = points[i > 0 ? i - 1 : i];
        const auto& next = points[i + 1 < n ? i + 1 : i];
        float dr = next[0] - prev[0], dh = next[1] - prev[1];
        float nr = dh, nh = -dr;
        if (points[i][0] <= 0.0f) { nr = 0.0f; nh = i == 0 ? -1.0f : 1.0f; }  // the poles
        const float l = std::sqrt(nr * nr + nh * nh);
        out.push_back({points[i][0], points[i][1], nr / l, nh / l, (points[i][1] - h0) / (h1 - h0)});
    }
    return out;
}

void MeshBuilder::beginGroup(const std::string& name, const std::string& material)
{
    groups.push_back({name, material, {}});
}

int MeshBuilder::addVertex(const Vec3& position, const Vec3& normal, float u, float v)
{
    positions.push_back(position);
    normals.push_back(normal.normalized());
    uvs.push_back({u, v});
    return static_cast<int>(positions.size()) - 1;
}

void MeshBuilder::addTriangle(int a, int b, int c)
{
    const Vec3 face = cross(positions[b] - positions[a], positions[c] - positions[a]);
    if (face.length() < 1e-9f) return;
    const Vec3 n = normals[a] + normals[b] + normals[c];
    if (dot(face, n) < 0.0f) std::swap(b, c);
    groups.back().triangles.push_back({a, b, c});
}

void MeshBuilder::addLathe(const Vec3& base, const Vec3& axis, const Vec3& side, const std::vector<ProfilePoint>& profile,
                           int segments, float sideScale, float otherScale)
{
    const Vec3 other = cross(axis, side);
    const int first = vertexCount();
    for (const ProfilePoint& p : profile) {
        for (int i = 0; i <= segments; ++i) {
            const float phi = 2.0f * kPi * i / segments;
            const float c = std::cos(phi), s = std::sin(phi);
            const Vec3 radial = side * (c * sideScale) + other * (s * otherScale);
            const Vec3 normal = axis * p.nh + (side * (c / sideScale) + other * (s / otherScale)) * p.nr;
            addVertex(base + axis * p.h + radial * p.r, normal, static_cast<float>(i) / segments, p.v);
        }
    }
    const int row = segments + 1;
    for (size_t j = 0; j + 1 < profile.size(); ++j) {
        for (int i = 0; i < segments; ++i) {
            const int a = first + static_cast<int>(j) * row + i, b = a + 1, c = a + row, d = c + 1;
            addTriangle(a, b, d);
            addTriangle(a, d, c);
        }
    }
}

void MeshBuilder::addCapsule(const Vec3& from, const Vec3& to, float radius, int segments, int rings)
{
    const Vec3 axis = (to - from).normalized();
    addLathe(from, axis, perpendicular(axis), capsuleProfile(radius, (to - from).length(), rings), segments);
}

void MeshBuilder::addBox(const Vec3& centre, const Vec3& half)
{
    const Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const float h[3] = {half.x, half.y, half.z};
    for (int axis = 0; axis < 3; ++axis) {
        for (int sign = -1; sign <= 1; sign += 2) {
            const Vec3 n = axes[axis] * static_cast<float>(sign);
            const Vec3 uAxis = axes[(axis + 1) % 3], vAxis = axes[(axis + 2) % 3];
            const float hu = h[(axis + 1) % 3], hv = h[(axis + 2) % 3];
            const Vec3 c = centre + n * h[axis];
            const int a = addVertex(c - uAxis * hu - vAxis * hv, n, 0, 0);
            const int b = addVertex(c + uAxis * hu - vAxis * hv, n, 1, 0);
            const int d = addVertex(c + uAxis * hu + vAxis * hv, n, 1, 1);
            const int e = addVertex(c - uAxis * hu + vAxis * hv, n, 0, 1);
            addTriangle(a, b, d);
            addTriangle(a, d, e);
        }
    }
}

void MeshBuilder::projectUv(int first, const Vec3& origin, const Vec3& uAxis, const Vec3& vAxis, float size)
{
    for (int i = first; i < vertexCount(); ++i) {
        const Vec3 d = positions[i] - origin;
        uvs[i] = {0.5f + dot(d, uAxis) / size, 0.5f + dot(d, vAxis) / size};
    }
}

Vec3 MeshBuilder::boundsMin() const
{
    Vec3 m(1e9f, 1e9f, 1e9f);
    for (const Vec3& p : positions) m = {std::min(m.x, p.x), std::min(m.y, p.y), std::min(m.z, p.z)};
    return m;
}

Vec3 MeshBuilder::boundsMax() const
{
    Vec3 m(-1e9f, -1e9f, -1e9f);
    for (const Vec3& p : positions) m = {std::max(m.x, p.x), std::max(m.y, p.y), std::max(m.z, p.z)};
    return m;
}

bool MeshBuilder::writeObj(const std::string& path, const std::string& mtlName, const std::string& comment) const
{
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return false;
    std::fprintf(f, "# %s\n# Written by assetgen; regenerate instead of editing.\nmtllib %s\n", comment.c_str(),
                 mtlName.c_str());
    for (const Vec3& p : positions) { std::fputs("v", f); putFloat(f, p.x); putFloat(f, p.y); putFloat(f, p.z); std::fputs("\n", f); }
    for (const auto& t : uvs) { std::fputs("vt", f); putFloat(f, t[0]); putFloat(f, t[1]); std::fputs("\n", f); }
    for (const Vec3& n : normals) { std::fputs("vn", f); putFloat(f, n.x); putFloat(f, n.y); putFloat(f, n.z); std::fputs("\n", f); }
    for (const Group& g : groups) {
        std::fprintf(f, "o %s\nusemtl %s\n", g.name.c_str(), g.material.c_str());
        for (const auto& t : g.triangles)
            std::fprintf(f, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", t[0] + 1, t[0] + 1, t[0] + 1, t[1] + 1, t[1] + 1,
                         t[1] + 1, t[2] + 1, t[2] + 1, t[2] + 1);
    }
    return std::fclose(f) == 0;
}

bool writeMtl(const std::string& path, const std::vector<Material>& materials)
{
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return false;
    std::fputs("# Written by assetgen; regenerate instead of editing.\n", f);
    for (const Material& m : materials) {
        std::fprintf(f, "\nnewmtl %s\nKa 0.10000 0.10000 0.10000\nKd 1.00000 1.00000 1.00000\n", m.name.c_str());
        std::fprintf(f, "Ks %.5f %.5f %.5f\nNs %.5f\nd 1.00000\nillum 2\nmap_Kd %s\n", m.specular, m.specular,
                     m.specular, m.shininess, m.texture.c_str());
    }
    return std::fclose(f) == 0;
}
