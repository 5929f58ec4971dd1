#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <stb/stb_image_write.h>

#include "render/Model.h"
#include "render/Shader.h"
#include "support/CaptureStdout.h"
#include "support/GlTestWindow.h"

namespace {

class ModelDir {
public:
    ModelDir()
    {
        char pattern[] = "/tmp/vaultrise_modelXXXXXX";
        path = mkdtemp(pattern);
    }
    ~ModelDir() { std::filesystem::remove_all(path); }
    std::string write(const std::string& name, const std::string& text) const
    {
        std::ofstream(path + "/" + name) << text;
        return path + "/" + name;
    }
    void writePng(const std::string& name) const
    {
        const unsigned char pixels[4 * 4] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
        stbi_write_png((path + "/" + name).c_str(), 2, 2, 4, pixels, 8);
    }
    std::string path;
};

// A triangle with positions, normals and texture coordinates, offset along x.
std::string texturedTriangle(float x)
{
    std::string s = std::to_string(x);
    return "v " + s + " 0 0\nv " + std::to_string(x + 1) + " 0 0\nv " + s + " 1 0\n"
           "vt 0 0\nvt 1 0\nvt 0 1\nvn 0 0 1\n";
}

// Builds a program that declares the given sampler names and uses them all, so
// the samplers a mesh draw sets can be read back.
Shader samplerProbe(const std::vector<std::string>& samplers)
{
    std::string fragment = "#version 460 core\nout vec4 color;\n";
    std::string sum;
    for (const std::string& name : samplers) {
        fragment += "uniform sampler2D " + name + ";\n";
        sum += " + texture(" + name + ", vec2(0.5))";
    }
    fragment += "void main() { color = vec4(0.0)" + sum + "; }\n";
    const std::string vertex =
        "#version 460 core\nlayout (location = 0) in vec3 aPos;\nvoid main() { gl_Position = vec4(aPos, 1.0); }\n";
    char pattern[] = "/tmp/vaultrise_probeXXXXXX";
    std::string dir = mkdtemp(pattern);
    std::ofstream(dir + "/probe.vs") << vertex;
    std::ofstream(dir + "/probe.fs") << fragment;
    Shader shader;
    std::string output = captureStdout([&] { shader = Shader(dir + "/probe.vs", dir + "/probe.fs"); });
    std::filesystem::remove_all(dir);
    EXPECT_EQ(output, "");
    return shader;
}

int samplerUnit(const Shader& shader, const std::string& name)
{
    int unit = -1;
    glGetUniformiv(shader.id, glGetUniformLocation(shader.id, name.c_str()), &unit);
    return unit;
}

}  // namespace

TEST(Model, MissingFileReportsTheImporterErrorAndStaysEmpty)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    Model model;
    std::string output = captureStdout([&] { model = Model("/nonexistent/astronaut.obj"); });
    EXPECT_EQ(output.rfind("ERROR::ASSIMP:: ", 0), 0u) << output;
    EXPECT_GT(output.size(), std::string("ERROR::ASSIMP:: \n").size()) << "the importer's message follows";
    EXPECT_EQ(output.back(), '\n');
    EXPECT_TRUE(model.meshes.empty());
    Shader program = samplerProbe({"texture_diffuse1"});
    program.use();
    model.draw(program);  // draws nothing, fails nothing
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Model, MeshWithoutTextureCoordinatesOrNormalsGetsZeros)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    ModelDir dir;
    std::string path = dir.write("bare.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nf 1 2 3\nf 2 4 3\n");
    Model model;
    std::string output = captureStdout([&] { model = Model(path); });
    EXPECT_EQ(output, "");
    EXPECT_EQ(model.directory, dir.path);
    ASSERT_EQ(model.meshes.size(), 1u);
    const Mesh& mesh = model.meshes[0];
    // The importer keeps one vertex per face corner (no joining asked for).
    ASSERT_EQ(mesh.vertices.size(), 6u);
    EXPECT_EQ(mesh.indices.size(), 6u);
    for (const Vertex& vertex : mesh.vertices) {
        EXPECT_EQ(vertex.texCoords, glm::vec2(0.0f));
        EXPECT_EQ(vertex.normal, glm::vec3(0.0f));
        EXPECT_EQ(vertex.tangent, glm::vec3(0.0f));
    }
    EXPECT_TRUE(mesh.textures.empty());

    // The vertex buffer holds the 56-byte vertices as converted.
    glBindBuffer(GL_ARRAY_BUFFER, mesh.vbo);
    int size = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, 6 * 56);
    glBindVertexArray(mesh.vao);
    for (int attribute = 0; attribute < 5; ++attribute) {
        int enabled = 0, stride = 0;
        glGetVertexAttribiv(attribute, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        glGetVertexAttribiv(attribute, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
        EXPECT_TRUE(enabled) << attribute;
        EXPECT_EQ(stride, 56) << attribute;
    }
    void* offset = nullptr;
    glGetVertexAttribPointerv(4, GL_VERTEX_ATTRIB_ARRAY_POINTER, &offset);
    EXPECT_EQ(reinterpret_cast<intptr_t>(offset), 44);
    int elementBuffer = 0;
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &elementBuffer);
    EXPECT_EQ(static_cast<unsigned>(elementBuffer), mesh.ebo);
    glBindVertexArray(0);
}

TEST(Model, MeshesFollowFileOrderAndShareOneTexturePerFile)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    ModelDir dir;
    dir.writePng("shared.png");
    dir.write("pair.mtl", "newmtl first\nmap_Kd shared.png\n\nnewmtl second\nmap_Kd shared.png\n");
    std::string path = dir.write("pair.obj", "mtllib pair.mtl\n"
                                             "o A\n" + texturedTriangle(0.0f) + "usemtl first\nf 1/1/1 2/2/1 3/3/1\n"
                                             "o B\n" + texturedTriangle(10.0f) + "usemtl second\nf 4/4/1 5/5/1 6/6/1\n");
    Model model;
    std::string output = captureStdout([&] { model = Model(path); });
    EXPECT_EQ(output, "");
    ASSERT_EQ(model.meshes.size(), 2u);
    EXPECT_FLOAT_EQ(model.meshes[0].vertices[0].position.x, 0.0f);
    EXPECT_FLOAT_EQ(model.meshes[1].vertices[0].position.x, 10.0f);
    ASSERT_EQ(model.meshes[0].textures.size(), 1u);
    ASSERT_EQ(model.meshes[1].textures.size(), 1u);
    EXPECT_EQ(model.meshes[0].textures[0].id, model.meshes[1].textures[0].id);
    EXPECT_EQ(model.meshes[1].textures[0].path, "shared.png");
    EXPECT_EQ(model.meshes[1].textures[0].type, "texture_diffuse");
    EXPECT_EQ(model.loadedTextures.size(), 1u);
    // Texture coordinates are flipped on import (v becomes 1 - v).
    EXPECT_FLOAT_EQ(model.meshes[0].vertices[2].texCoords.y, 0.0f);
    EXPECT_FLOAT_EQ(model.meshes[0].vertices[0].texCoords.y, 1.0f);
}

TEST(Model, FileUsedAsDiffuseAndSpecularIsLoadedOnceAndBoundAsDiffuse)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    ModelDir dir;
    dir.writePng("both.png");
    dir.write("both.mtl", "newmtl shiny\nmap_Kd both.png\nmap_Ks both.png\n");
    std::string path = dir.write("both.obj", "mtllib both.mtl\n" + texturedTriangle(0.0f) + "usemtl shiny\nf 1/1/1 2/2/1 3/3/1\n");
    Model model;
    captureStdout([&] { model = Model(path); });
    ASSERT_EQ(model.meshes.size(), 1u);
    const std::vector<Texture>& textures = model.meshes[0].textures;
    ASSERT_EQ(textures.size(), 2u);
    EXPECT_EQ(textures[0].id, textures[1].id);
    EXPECT_EQ(textures[1].type, "texture_diffuse");
    EXPECT_EQ(model.loadedTextures.size(), 1u);

    Shader program = samplerProbe({"texture_diffuse1", "texture_diffuse2", "texture_specular1"});
    program.use();
    program.setInt("texture_specular1", 7);
    model.draw(program);
    EXPECT_EQ(samplerUnit(program, "texture_diffuse1"), 0);
    EXPECT_EQ(samplerUnit(program, "texture_diffuse2"), 1);
    EXPECT_EQ(samplerUnit(program, "texture_specular1"), 7) << "no specular sampler is named";
}

TEST(Model, OneTextureOfEachTypeFillsUnitsZeroToThree)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    ModelDir dir;
    for (const char* name : {"d.png", "s.png", "n.png", "h.png"}) dir.writePng(name);
    dir.write("full.mtl", "newmtl full\nmap_Kd d.png\nmap_Ks s.png\nmap_bump n.png\nmap_Ka h.png\n");
    std::string path = dir.write("full.obj", "mtllib full.mtl\n" + texturedTriangle(0.0f) + "usemtl full\nf 1/1/1 2/2/1 3/3/1\n");
    Model model;
    EXPECT_EQ(captureStdout([&] { model = Model(path); }), "");
    ASSERT_EQ(model.meshes.size(), 1u);
    const std::vector<Texture>& textures = model.meshes[0].textures;
    ASSERT_EQ(textures.size(), 4u);
    const std::string types[4] = {"texture_diffuse", "texture_specular", "texture_normal", "texture_height"};
    const std::string files[4] = {"d.png", "s.png", "n.png", "h.png"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(textures[i].type, types[i]);
        EXPECT_EQ(textures[i].path, files[i]);
    }

    Shader program = samplerProbe({"texture_diffuse1", "texture_specular1", "texture_normal1", "texture_height1"});
    program.use();
    glActiveTexture(GL_TEXTURE5);
    model.draw(program);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(samplerUnit(program, types[i] + "1"), i);
        glActiveTexture(GL_TEXTURE0 + i);
        int bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<unsigned>(bound), textures[i].id) << "unit " << i;
    }
    glActiveTexture(GL_TEXTURE5);
    model.draw(program);
    int active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE0) << "the draw leaves unit 0 active";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Model, MissingTextureIsReportedOncePerNameAndTheModelStillLoads)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    ModelDir dir;
    dir.write("lost.mtl", "newmtl first\nmap_Kd lost.png\nmap_Ks lost.png\n\n"
                          "newmtl second\nmap_Kd lost.png\nmap_Ks gone.png\n");
    std::string path = dir.write("lost.obj", "mtllib lost.mtl\n"
                                             "o A\n" + texturedTriangle(0.0f) + "usemtl first\nf 1/1/1 2/2/1 3/3/1\n"
                                             "o B\n" + texturedTriangle(5.0f) + "usemtl second\nf 4/4/1 5/5/1 6/6/1\n");
    Model model;
    std::string output = captureStdout([&] { model = Model(path); });
    EXPECT_EQ(output, "Texture failed to load at path: lost.png\n"
                      "Texture failed to load at path: gone.png\n");
    ASSERT_EQ(model.meshes.size(), 2u);
    EXPECT_EQ(model.loadedTextures.size(), 2u);
    EXPECT_EQ(model.meshes[1].textures.size(), 2u);
    EXPECT_EQ(model.meshes[1].textures[0].id, model.meshes[0].textures[0].id);
}
