#pragma once

#include <array>
#include <cmath>
#include <string>
#include <vector>

struct Vec3 {
    float x = 0, y = 0, z = 0;
    Vec3() = default;
    Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }
    float length() const { return std::sqrt(x * x + y * y + z * z); }
    Vec3 normalized() const { const float l = length(); return l > 0 ? *this * (1.0f / l) : *this; }
};

inline float dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// One point of a surface-of-revolution profile: radius r at height h along the
// axis, with the profile normal (nr outward, nh along the axis) and the texture v.
struct ProfilePoint {
    float r, h, nr, nh, v;
};

std::vector<ProfilePoint> sphereProfile(float radius, int rings);
// Ellipsoid with `radial` radius around the axis and `axial` half-length along it.
std::vector<ProfilePoint> ellipsoidProfile(float radial, float axial, int rings);
// Capsule from h = 0 to h = length (the caps reach beyond by the radius).
std::vector<ProfilePoint> capsuleProfile(float radius, float length, int rings);
// Closed cylinder from h = 0 to h = height.
std::vector<ProfilePoint> cylinderProfile(float radius, float height);
// Any (r, h) polyline, normals from the local slope; h must increase.
std::vector<ProfilePoint> curveProfile(const std::vector<std::array<float, 2>>& points);

// Collects triangles with positions, normals and texture coordinates (one
// shared index for all three) in named groups, each with one material, and
// writes them as an OBJ file with fixed number formatting.
class MeshBuilder {
public:
    void beginGroup(const std::string& name, const std::string& material);

    int addVertex(const Vec3& position, const Vec3& normal, float u, float v);
    // Adds the triangle wound so that it faces along its vertex normals;
    // triangles without area are dropped.
    void addTriangle(int a, int b, int c);

    // Surface of revolution around `axis` (unit) starting at `base`. `side` is a
    // unit vector perpendicular to the axis; the cross-section is scaled by
    // `sideScale` along `side` and `otherScale` along axis x side.
    void addLathe(const Vec3& base, const Vec3& axis, const Vec3& side, const std::vector<ProfilePoint>& profile,
                  int segments, float sideScale = 1.0f, float otherScale = 1.0f);
    // Capsule between two points.
    void addCapsule(const Vec3& from, const Vec3& to, float radius, int segments = 24, int rings = 8);
    // Axis-aligned box, each face mapped to the whole texture.
    void addBox(const Vec3& centre, const Vec3& half);

    // Replaces the texture coordinates of vertices [first, end) by a planar
    // projection: u along `uAxis`, v along `vAxis`, both spanning `size` around `origin`.
    void projectUv(int first, const Vec3& origin, const Vec3& uAxis, const Vec3& vAxis, float size);

    int vertexCount() const { return static_cast<int>(positions.size()); }
    Vec3 boundsMin() const;
    Vec3 boundsMax() const;

    bool writeObj(const std::string& path, const std::string& mtlName, const std::string& comment) const;

private:
    struct Group {
        std::string name, material;
        std::vector<std::array<int, 3>> triangles;
    };
    std::vector<Vec3> positions, normals;
    std::vector<std::array<float, 2>> uvs;
    std::vector<Group> groups;
};

struct Material {
    std::string name;
    std::string texture;  // relative to the model's folder
    float specular;
    float shininess;
};

bool writeMtl(const std::string& path, const std::vector<Material>& materials);
