#include <epoxy/gl.h>

#include <filesystem>
#include <vector>

#include <stb/stb_image_write.h>

#include "render/Model.h"
#include "support/GlTest.h"

using ModelTest = GlTest;

namespace {

// Vertex i as the GL holds it: the mesh keeps no copy of its own.
Vertex uploadedVertex(const Mesh& mesh, int i)
{
    Vertex vertex{};
    glGetNamedBufferSubData(mesh.vbo, static_cast<GLintptr>(i * sizeof(Vertex)), sizeof(Vertex), &vertex);
    return vertex;
}

}  // namespace

// A missing file gives the importer's message and no mesh; imported ahead (on
// any thread), the message waits and prints when the model is uploaded. Then
// two triangles without normals, 5 apart along x: the first material has one
// texture of each type, the second reuses s.png and names a missing file twice.
TEST_F(ModelTest, MissingFilesAreReportedOnceAndEachTextureTypeTakesTheNextUnit)
{
    ImportedModel ahead;
    EXPECT_EQ(captureStdout([&] { ahead = importModel("/nonexistent/astronaut.obj"); }), "");
    Model model;
    std::string output = captureStdout([&] { model = Model(std::move(ahead), std::cout); });
    EXPECT_EQ(output.rfind("ERROR::ASSIMP:: ", 0), 0u) << output;
    EXPECT_GT(output.size(), std::string("ERROR::ASSIMP:: \n").size()) << "the importer's message follows";
    EXPECT_TRUE(model.meshes.empty());

    ScratchDir dir;
    const unsigned char rgba[4] = {255, 0, 0, 255};
    for (const char* name : {"d.png", "s.png", "n.png", "h.png"}) stbi_write_png((dir.path + "/" + name).c_str(), 1, 1, 4, rgba, 4);
    dir.write("m.mtl", "newmtl full\nmap_Kd d.png\nmap_Ks s.png\nmap_bump n.png\nmap_Ka h.png\n\n"
                       "newmtl reuse\nmap_Kd s.png\nmap_Ks lost.png\nmap_bump lost.png\n");
    const std::string obj = dir.write("m.obj", "mtllib m.mtl\nvt 0 0\nvt 1 0\nvt 0 1\nv 0 0 0\nv 1 0 0\nv 0 1 0\n"
                                               "v 5 0 0\nv 6 0 0\nv 5 1 0\nusemtl full\nf 1/1 2/2 3/3\nusemtl reuse\nf 4/1 5/2 6/3\n");
    EXPECT_EQ(captureStdout([&] { model = Model(obj, std::cout); }), "Texture failed to load at path: lost.png\n");
    ASSERT_EQ(model.meshes.size(), 2u);
    EXPECT_FLOAT_EQ(uploadedVertex(model.meshes[1], 0).position.x, 5.0f) << "meshes in file order";
    EXPECT_FLOAT_EQ(uploadedVertex(model.meshes[0], 2).texCoords.y, 0.0f) << "v is flipped on import";
    EXPECT_EQ(uploadedVertex(model.meshes[0], 2).normal, glm::vec3(0.0f)) << "missing normals read as zero";
    EXPECT_EQ(model.meshes[1].indexCount, 3);
    EXPECT_EQ(model.textureObjects.size(), 5u);

    // A program sampling all four types, so the units the draw names can be read back.
    const std::string types[4] = {"texture_diffuse", "texture_specular", "texture_normal", "texture_height"};
    std::string fragment = "#version 460 core\nout vec4 color;\n", sum;
    for (const std::string& type : types) fragment += "uniform sampler2D " + type + "1;\n", sum += " + texture(" + type + "1, vec2(0))";
    const Shader probe(dir.write("p.vs", "#version 460 core\nvoid main() { gl_Position = vec4(0.0); }\n"),
                       dir.write("p.fs", fragment + "void main() { color = vec4(0.0)" + sum + "; }\n"), std::cout);
    probe.use();
    glActiveTexture(GL_TEXTURE5);
    model.meshes[0].draw(probe);
    int active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE0) << "the draw leaves unit 0 active";
    const std::vector<Texture>& full = model.meshes[0].textures;
    ASSERT_EQ(full.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        int unit = -1, bound = 0;
        glGetUniformiv(probe.id, glGetUniformLocation(probe.id, (types[i] + "1").c_str()), &unit);
        glActiveTexture(GL_TEXTURE0 + i);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_TRUE(unit == i && static_cast<unsigned>(bound) == full[i].id) << types[i] << " on unit " << unit;
    }
    // s.png again, now as diffuse: the same texture, under the type it was first loaded as.
    const std::vector<Texture>& reuse = model.meshes[1].textures;
    ASSERT_EQ(reuse.size(), 3u);
    EXPECT_TRUE(reuse[0].id == full[1].id && reuse[0].type == "texture_specular");
    EXPECT_EQ(reuse[1].id, reuse[2].id) << "the missing file is one texture";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Exported on Windows: the material names its textures with backslashes, a
// leading ".\" and another letter case than the files on disk.
TEST_F(ModelTest, TexturesNamedTheWindowsWayAreFound)
{
    ScratchDir dir;
    std::filesystem::create_directories(dir.path + "/maps");
    const unsigned char rgba[4] = {0, 255, 0, 255};
    for (const char* name : {"/Skin.png", "/maps/bump.png"}) stbi_write_png((dir.path + name).c_str(), 1, 1, 4, rgba, 4);
    dir.write("w.mtl", "newmtl win\nmap_Kd .\\skin.PNG\nmap_Ks maps\\Bump.png\n");
    const std::string obj = dir.write("w.obj", "mtllib w.mtl\nvt 0 0\nvt 1 0\nvt 0 1\nv 0 0 0\nv 1 0 0\nv 0 1 0\n"
                                               "usemtl win\nf 1/1 2/2 3/3\n");
    Model model;
    EXPECT_EQ(captureStdout([&] { model = Model(obj, std::cout); }), "") << "no texture fails to load";
    ASSERT_EQ(model.meshes.size(), 1u);
    ASSERT_EQ(model.meshes[0].textures.size(), 2u);
    for (const Texture& texture : model.meshes[0].textures) {
        int width = 0;
        glGetTextureLevelParameteriv(texture.id, 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_EQ(width, 1) << texture.path << " has its picture";
    }
}
