#include <epoxy/gl.h>

#include <vector>

#include <stb/stb_image_write.h>

#include "render/Model.h"
#include "support/GlTest.h"

namespace {

struct ModelDir : ScratchDir {
    void writePng(const std::string& name) const
    {
        const unsigned char pixels[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
        stbi_write_png((path + "/" + name).c_str(), 2, 2, 4, pixels, 8);
    }
    // An OBJ using `mtl`; each object is a textured triangle offset along x by 5 × its index.
    std::string writeObj(const std::string& mtl, const std::vector<std::string>& materials) const
    {
        std::string obj = "mtllib m.mtl\n";
        for (size_t i = 0; i < materials.size(); ++i) {
            const auto n = [&](int k) { return std::to_string(k); };
            const int x = 5 * static_cast<int>(i), v = 3 * static_cast<int>(i);
            obj += "o O" + n(v) + "\nv " + n(x) + " 0 0\nv " + n(x + 1) + " 0 0\nv " + n(x) + " 1 0\nvt 0 0\nvt 1 0\nvt 0 1\n" +
                   "vn 0 0 1\nusemtl " + materials[i] + "\nf " + n(v + 1) + "/" + n(v + 1) + "/1 " + n(v + 2) + "/" +
                   n(v + 2) + "/1 " + n(v + 3) + "/" + n(v + 3) + "/1\n";
        }
        write("m.mtl", mtl);
        return write("m.obj", obj);
    }
};

// A program declaring and using the given samplers, so the units a mesh draw sets can be read back.
Shader samplerProbe(const std::vector<std::string>& samplers)
{
    std::string fragment = "#version 460 core\nout vec4 color;\n", sum;
    for (const std::string& name : samplers) {
        fragment += "uniform sampler2D " + name + ";\n";
        sum += " + texture(" + name + ", vec2(0.5))";
    }
    ScratchDir dir;
    const std::string vs = dir.write("p.vs", "#version 460 core\nlayout (location = 0) in vec3 aPos;\n"
                                             "void main() { gl_Position = vec4(aPos, 1.0); }\n");
    const std::string fs = dir.write("p.fs", fragment + "void main() { color = vec4(0.0)" + sum + "; }\n");
    Shader shader;
    EXPECT_EQ(captureStdout([&] { shader = Shader(vs, fs); }), "");
    return shader;
}

int samplerUnit(const Shader& shader, const std::string& name)
{
    int unit = -1;
    glGetUniformiv(shader.id, glGetUniformLocation(shader.id, name.c_str()), &unit);
    return unit;
}

Model load(const std::string& path, std::string* log = nullptr)
{
    Model model;
    const std::string out = captureStdout([&] { model = Model(path); });
    if (log) *log = out;
    return model;
}

}  // namespace

using ModelTest = GlTest;

TEST_F(ModelTest, MissingFileReportsTheImporterErrorAndStaysEmpty)
{
    std::string output;
    Model model = load("/nonexistent/astronaut.obj", &output);
    EXPECT_EQ(output.rfind("ERROR::ASSIMP:: ", 0), 0u) << output;
    EXPECT_GT(output.size(), std::string("ERROR::ASSIMP:: \n").size()) << "the importer's message follows";
    EXPECT_EQ(output.back(), '\n');
    EXPECT_TRUE(model.meshes.empty());
    Shader program = samplerProbe({"texture_diffuse1"});
    program.use();
    model.draw(program);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModelTest, MeshWithoutTextureCoordinatesOrNormalsGetsZeros)
{
    ModelDir dir;
    std::string output;
    const Model model = load(dir.write("bare.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nf 1 2 3\nf 2 4 3\n"), &output);
    EXPECT_EQ(output, "");
    EXPECT_EQ(model.directory, dir.path);
    ASSERT_EQ(model.meshes.size(), 1u);
    const Mesh& mesh = model.meshes[0];
    ASSERT_EQ(mesh.vertices.size(), 6u) << "one vertex per face corner (no joining asked for)";
    EXPECT_EQ(mesh.indices.size(), 6u);
    for (const Vertex& vertex : mesh.vertices) {
        EXPECT_EQ(vertex.texCoords, glm::vec2(0.0f));
        EXPECT_EQ(vertex.normal, glm::vec3(0.0f));
        EXPECT_EQ(vertex.tangent, glm::vec3(0.0f));
    }
    EXPECT_TRUE(mesh.textures.empty());

    // The buffer holds the 56-byte vertices; five attributes share that stride.
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

TEST_F(ModelTest, MeshesFollowFileOrderAndShareOneTexturePerFile)
{
    ModelDir dir;
    dir.writePng("shared.png");
    std::string output;
    const Model model =
        load(dir.writeObj("newmtl first\nmap_Kd shared.png\n\nnewmtl second\nmap_Kd shared.png\n", {"first", "second"}), &output);
    EXPECT_EQ(output, "");
    ASSERT_EQ(model.meshes.size(), 2u);
    EXPECT_FLOAT_EQ(model.meshes[0].vertices[0].position.x, 0.0f);
    EXPECT_FLOAT_EQ(model.meshes[1].vertices[0].position.x, 5.0f);
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

TEST_F(ModelTest, FileUsedAsDiffuseAndSpecularIsLoadedOnceAndBoundAsDiffuse)
{
    ModelDir dir;
    dir.writePng("both.png");
    const Model model = load(dir.writeObj("newmtl shiny\nmap_Kd both.png\nmap_Ks both.png\n", {"shiny"}));
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

TEST_F(ModelTest, OneTextureOfEachTypeFillsUnitsZeroToThree)
{
    ModelDir dir;
    const std::string types[4] = {"texture_diffuse", "texture_specular", "texture_normal", "texture_height"};
    const std::string files[4] = {"d.png", "s.png", "n.png", "h.png"};
    for (const std::string& name : files) dir.writePng(name);
    std::string output;
    const Model model = load(dir.writeObj("newmtl full\nmap_Kd d.png\nmap_Ks s.png\nmap_bump n.png\nmap_Ka h.png\n", {"full"}), &output);
    EXPECT_EQ(output, "");
    ASSERT_EQ(model.meshes.size(), 1u);
    const std::vector<Texture>& textures = model.meshes[0].textures;
    ASSERT_EQ(textures.size(), 4u);

    Shader program = samplerProbe({"texture_diffuse1", "texture_specular1", "texture_normal1", "texture_height1"});
    program.use();
    glActiveTexture(GL_TEXTURE5);
    model.draw(program);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(textures[i].type, types[i]);
        EXPECT_EQ(textures[i].path, files[i]);
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

TEST_F(ModelTest, MissingTextureIsReportedOncePerNameAndTheModelStillLoads)
{
    ModelDir dir;
    std::string output;
    const Model model = load(dir.writeObj("newmtl first\nmap_Kd lost.png\nmap_Ks lost.png\n\n"
                                          "newmtl second\nmap_Kd lost.png\nmap_Ks gone.png\n",
                                          {"first", "second"}),
                             &output);
    EXPECT_EQ(output, "Texture failed to load at path: lost.png\nTexture failed to load at path: gone.png\n");
    ASSERT_EQ(model.meshes.size(), 2u);
    EXPECT_EQ(model.loadedTextures.size(), 2u);
    EXPECT_EQ(model.meshes[1].textures.size(), 2u);
    EXPECT_EQ(model.meshes[1].textures[0].id, model.meshes[0].textures[0].id);
}
