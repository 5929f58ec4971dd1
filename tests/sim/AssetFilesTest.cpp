#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gif_lib.h>
#include <stb/stb_image.h>

// Checks the committed asset folder against what the game loads: names, frame
// counts, picture sizes, palettes, seamless loops and the model geometry.

namespace {

namespace fs = std::filesystem;

const std::string kAssets = std::string(VAULTRISE_SOURCE_DIR) + "/assets";

struct Picture {
    int width = 0, height = 0, channels = 0;
    std::vector<unsigned char> rgba;
};

// Decodes like the game does (file's own channel count) and also keeps RGBA.
bool decode(const std::string& path, Picture& out)
{
    int w = 0, h = 0, n = 0;
    unsigned char* data = stbi_load(path.c_str(), &w, &h, &n, 4);
    if (!data) return false;
    out.width = w;
    out.height = h;
    out.channels = n;
    out.rgba.assign(data, data + static_cast<size_t>(w) * h * 4);
    stbi_image_free(data);
    return true;
}

struct Sequence {
    std::string prefix;
    int count;
    int digits;
    int size;
};

const std::vector<Sequence> kSequences = {
    {"/textures/video/video", 212, 3, 128},
    {"/textures/video_front/video", 60, 2, 256},
    {"/textures/video_back/video", 60, 2, 256},
    {"/textures/platform_blue/platform", 47, 2, 128},
    {"/textures/platform_magenta/platform", 47, 2, 128},
    {"/textures/laser/laser", 110, 3, 128},
};

std::string frameName(const Sequence& s, int n)
{
    char number[8];
    std::snprintf(number, sizeof number, "%0*d", s.digits, n);
    return kAssets + s.prefix + number + ".gif";
}

double meanDifference(const Picture& a, const Picture& b)
{
    double sum = 0;
    for (size_t i = 0; i < a.rgba.size(); ++i) sum += std::abs(a.rgba[i] - b.rgba[i]);
    return sum / static_cast<double>(a.rgba.size());
}

struct ObjModel {
    std::vector<std::array<float, 3>> positions, normals;
    std::vector<std::array<float, 2>> uvs;
    struct Corner { int v, t, n; };
    struct Face { std::vector<Corner> corners; std::string object; };
    std::vector<Face> faces;
    std::vector<std::string> mtllibs;
};

ObjModel readObj(const std::string& path)
{
    ObjModel model;
    std::ifstream in(path);
    std::string line, object;
    while (std::getline(in, line)) {
        std::istringstream s(line);
        std::string key;
        s >> key;
        if (key == "v") {
            std::array<float, 3> p{};
            s >> p[0] >> p[1] >> p[2];
            model.positions.push_back(p);
        } else if (key == "vn") {
            std::array<float, 3> n{};
            s >> n[0] >> n[1] >> n[2];
            model.normals.push_back(n);
        } else if (key == "vt") {
            std::array<float, 2> t{};
            s >> t[0] >> t[1];
            model.uvs.push_back(t);
        } else if (key == "o" || key == "g") {
            s >> object;
        } else if (key == "mtllib") {
            std::string name;
            s >> name;
            model.mtllibs.push_back(name);
        } else if (key == "f") {
            ObjModel::Face face;
            face.object = object;
            std::string corner;
            while (s >> corner) {
                ObjModel::Corner c{0, 0, 0};
                // v/vt/vn; a missing part stays 0 and fails the checks below.
                std::sscanf(corner.c_str(), "%d/%d/%d", &c.v, &c.t, &c.n);
                face.corners.push_back(c);
            }
            model.faces.push_back(face);
        }
    }
    return model;
}

struct Bounds {
    std::array<float, 3> lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
    float size(int axis) const { return hi[axis] - lo[axis]; }
    float centre(int axis) const { return 0.5f * (hi[axis] + lo[axis]); }
};

Bounds boundsOf(const ObjModel& model)
{
    Bounds b;
    for (const auto& p : model.positions)
        for (int k = 0; k < 3; ++k) {
            b.lo[k] = std::min(b.lo[k], p[k]);
            b.hi[k] = std::max(b.hi[k], p[k]);
        }
    return b;
}

// Every face corner names a position, a texture coordinate and a unit normal.
void expectCompleteFaces(const ObjModel& model, const std::string& name)
{
    ASSERT_FALSE(model.faces.empty()) << name;
    size_t bad = 0;
    for (const auto& face : model.faces) {
        if (face.corners.size() != 3) ++bad;
        for (const auto& c : face.corners) {
            if (c.v < 1 || c.v > static_cast<int>(model.positions.size())) ++bad;
            if (c.t < 1 || c.t > static_cast<int>(model.uvs.size())) ++bad;
            if (c.n < 1 || c.n > static_cast<int>(model.normals.size())) { ++bad; continue; }
            const auto& n = model.normals[c.n - 1];
            if (std::fabs(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]) - 1.0f) > 0.01f) ++bad;
        }
    }
    EXPECT_EQ(bad, 0u) << name << ": faces without a triangle's v/vt/vn or with non-unit normals";
}

// Material files exist, and every map_Kd names a decodable picture next to the model.
void expectMaterialTextures(const ObjModel& model, const std::string& name)
{
    ASSERT_EQ(model.mtllibs.size(), 1u) << name;
    const std::string mtl = kAssets + "/models/" + model.mtllibs[0];
    std::ifstream in(mtl);
    ASSERT_TRUE(in.good()) << mtl;
    std::string line;
    int maps = 0;
    while (std::getline(in, line)) {
        std::istringstream s(line);
        std::string key, file;
        s >> key;
        if (key != "map_Kd") continue;
        s >> file;
        ++maps;
        Picture picture;
        EXPECT_TRUE(decode(kAssets + "/models/" + file, picture)) << name << " names " << file;
    }
    EXPECT_GT(maps, 0) << name << " has no diffuse texture";
}

}  // namespace

TEST(AssetFiles, SingleTexturesExistAndDecode)
{
    const std::vector<std::pair<std::string, int>> textures = {
        {"/textures/platforms_magenta.png", 3}, {"/textures/platforms_blue.png", 3}, {"/textures/laser.png", 3},
        {"/textures/door.png", 3},              {"/textures/flag.png", 3},           {"/textures/particle.png", 4},
        {"/textures/confetti.png", 3}};
    for (const auto& [name, channels] : textures) {
        Picture picture;
        ASSERT_TRUE(decode(kAssets + name, picture)) << name;
        EXPECT_EQ(picture.channels, channels) << name;
        EXPECT_TRUE(picture.width == 128 || picture.width == 256) << name;
        EXPECT_EQ(picture.width, picture.height) << name;
    }

    // The particle glow is opaque in the middle and fully transparent at the rim.
    Picture particle;
    ASSERT_TRUE(decode(kAssets + "/textures/particle.png", particle));
    const int w = particle.width;
    EXPECT_GT(particle.rgba[((w / 2) * w + w / 2) * 4 + 3], 200);
    EXPECT_EQ(particle.rgba[3], 0);

    // Neon rims are meant to bloom: the panels reach near-full brightness.
    for (const char* name : {"/textures/platforms_magenta.png", "/textures/platforms_blue.png"}) {
        Picture panel;
        ASSERT_TRUE(decode(kAssets + name, panel));
        int brightest = 0;
        for (size_t i = 0; i < panel.rgba.size(); i += 4)
            brightest = std::max({brightest, int(panel.rgba[i]), int(panel.rgba[i + 1]), int(panel.rgba[i + 2])});
        EXPECT_GE(brightest, 245) << name;
    }
}

TEST(AssetFiles, EveryFrameIsOneGif89aPictureWithAtMost256Colours)
{
    for (const Sequence& s : kSequences) {
        for (int n = 0; n < s.count; ++n) {
            const std::string path = frameName(s, n);
            std::ifstream in(path, std::ios::binary);
            ASSERT_TRUE(in.good()) << "missing " << path;
            char header[6] = {};
            in.read(header, 6);
            EXPECT_EQ(std::string(header, 6), "GIF89a") << path;

            int error = 0;
            GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
            ASSERT_NE(gif, nullptr) << path;
            ASSERT_EQ(DGifSlurp(gif), GIF_OK) << path;
            EXPECT_EQ(gif->ImageCount, 1) << path;
            EXPECT_EQ(gif->SWidth, s.size) << path;
            EXPECT_EQ(gif->SHeight, s.size) << path;
            const ColorMapObject* map = gif->SColorMap ? gif->SColorMap : gif->SavedImages[0].ImageDesc.ColorMap;
            ASSERT_NE(map, nullptr) << path;
            EXPECT_LE(map->ColorCount, 256) << path;
            DGifCloseFile(gif, &error);

            Picture picture;
            ASSERT_TRUE(decode(path, picture)) << path;
            EXPECT_EQ(picture.width, s.size) << path;
            EXPECT_EQ(picture.height, s.size) << path;
        }
    }
}

TEST(AssetFiles, SequencesLoopWithoutAJumpAndActuallyMove)
{
    for (const Sequence& s : kSequences) {
        std::vector<Picture> frames(s.count);
        for (int n = 0; n < s.count; ++n) ASSERT_TRUE(decode(frameName(s, n), frames[n])) << frameName(s, n);
        std::vector<double> steps;
        for (int n = 0; n + 1 < s.count; ++n) steps.push_back(meanDifference(frames[n], frames[n + 1]));
        std::sort(steps.begin(), steps.end());
        const double typicalStep = steps[steps.size() / 2];
        const double wrap = meanDifference(frames[s.count - 1], frames[0]);
        const double halfLoopApart = meanDifference(frames[0], frames[s.count / 2]);
        EXPECT_GT(typicalStep, 0.1) << s.prefix << " does not animate";
        // Going from the last frame back to the first is an ordinary step,
        // far smaller than the change across half the loop.
        EXPECT_LE(wrap, typicalStep * 2.5 + 0.3) << s.prefix << " jumps when it wraps";
        EXPECT_GT(halfLoopApart, typicalStep * 2.0) << s.prefix;
    }
}

TEST(AssetFiles, AstronautStandsOnTheRidingSphere)
{
    const ObjModel model = readObj(kAssets + "/models/astronaut.obj");
    expectCompleteFaces(model, "astronaut");
    expectMaterialTextures(model, "astronaut");
    const Bounds b = boundsOf(model);
    EXPECT_NEAR(b.size(1), 2.0f, 0.15f);
    EXPECT_NEAR(b.lo[1], -1.0f, 0.05f) << "the soles belong where the sphere of radius 1 touches the ground";
    EXPECT_NEAR(b.centre(0), 0.0f, 0.05f);
    EXPECT_NEAR(b.centre(2), 0.0f, 0.2f);
    EXPECT_LT(b.size(0), 1.5f);
}

TEST(AssetFiles, BeetIsTwoUnitsTallAroundItsCentre)
{
    const ObjModel model = readObj(kAssets + "/models/beet.obj");
    expectCompleteFaces(model, "beet");
    expectMaterialTextures(model, "beet");
    const Bounds b = boundsOf(model);
    EXPECT_NEAR(b.size(1), 2.0f, 0.15f);
    for (int axis = 0; axis < 3; ++axis) EXPECT_NEAR(b.centre(axis), 0.0f, 0.1f) << "axis " << axis;
}

TEST(AssetFiles, FlagClothIsFineEnoughToWaveAndMapsTheWholePicture)
{
    const ObjModel model = readObj(kAssets + "/models/flag.obj");
    expectCompleteFaces(model, "flag");
    expectMaterialTextures(model, "flag");
    size_t clothTriangles = 0;
    float uLo = 1e9f, uHi = -1e9f, vLo = 1e9f, vHi = -1e9f;
    for (const auto& face : model.faces) {
        if (face.object != "cloth") continue;
        ++clothTriangles;
        for (const auto& c : face.corners) {
            const auto& t = model.uvs[c.t - 1];
            uLo = std::min(uLo, t[0]);
            uHi = std::max(uHi, t[0]);
            vLo = std::min(vLo, t[1]);
            vHi = std::max(vHi, t[1]);
        }
    }
    EXPECT_GE(clothTriangles, 24u * 16u * 2u);
    EXPECT_FLOAT_EQ(uLo, 0.0f);
    EXPECT_FLOAT_EQ(uHi, 1.0f);
    EXPECT_FLOAT_EQ(vLo, 0.0f);
    EXPECT_FLOAT_EQ(vHi, 1.0f);
    const Bounds b = boundsOf(model);
    EXPECT_NEAR(b.lo[1], 0.0f, 0.1f) << "the origin is the pole's foot";
}

TEST(AssetFiles, AssetFolderStaysUnder20Megabytes)
{
    uintmax_t total = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kAssets))
        if (entry.is_regular_file()) total += entry.file_size();
    EXPECT_LT(total, 20u * 1024u * 1024u);
}
