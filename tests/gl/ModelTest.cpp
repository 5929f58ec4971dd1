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
        std::string obj = "mtllib m.mtl\nvt 0 0\nvt 1 0\nvt 0 1\nvn 0 0 1\n";
        for (size_t i = 0; i < materials.size(); ++i) {
            const std::string x = std::to_string(5 * i), x1 = std::to_string(5 * i + 1), v = std::to_string(3 * i);
            obj += "o O" + v + "\nv " + x + " 0 0\nv " + x1 + " 0 0\nv " + x + " 1 0\nusemtl " + materials[i] + "\nf " +
                   std::to_string(3 * i + 1) + "/1/1 " + std::to_string(3 * i + 2) + "/2/1 " + std::to_string(3 * i + 3) + "/3/1\n";
        }
        write("m.mtl", mtl);
        return write("m.obj", obj);
    }
};

// A program sampling the given textures, so the units a mesh draw names can be read back.
Shader samplerProbe(const std::vector<std::string>& samplers)
{
    std::string fragment = "#version 460 core\nout vec4 color;\n", sum;
    for (const std::string& name : samplers) {
        fragment += "uniform sampler2D " + name + ";\n";
        sum += " + texture(" + name + ", vec2(0.5))";
    }
    ScratchDir dir;
    Shader shader(dir.write("p.vs", "#version 460 core\nvoid main() { gl_Position = vec4(0.0); }\n"),
                  dir.write("p.fs", fragment + "void main() { color = vec4(0.0)" + sum + "; }\n"));
    shader.use();
    return shader;
}

int samplerUnit(const Shader& shader, const std::string& name)
{
    int unit = -1;
    glGetUniformiv(shader.id, glGetUniformLocation(shader.id, name.c_str()), &unit);
    return unit;
}

}  // namespace

using ModelTest = GlTest;

TEST_F(ModelTest, MissingFileReportsTheImporterErrorAndDrawsNothing)
{
    Model model;
    const std::string output = captureStdout([&] { model = Model("/nonexistent/astronaut.obj"); });
    EXPECT_EQ(output.rfind("ERROR::ASSIMP:: ", 0), 0u) << output;
    EXPECT_GT(output.size(), std::string("ERROR::ASSIMP:: \n").size()) << "the importer's message follows";
    EXPECT_TRUE(model.meshes.empty());
    model.draw(samplerProbe({}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModelTest, MeshWithoutTextureCoordinatesOrNormalsGetsZeros)
{
    ModelDir dir;
    Model model;
    EXPECT_EQ(captureStdout([&] { model = Model(dir.write("bare.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nf 1 2 3\nf 2 4 3\n")); }), "");
    ASSERT_EQ(model.meshes.size(), 1u);
    EXPECT_EQ(model.meshes[0].vertices.size(), 6u) << "one vertex per face corner";
    for (const Vertex& vertex : model.meshes[0].vertices)
        EXPECT_TRUE(vertex.texCoords == glm::vec2(0.0f) && vertex.normal == glm::vec3(0.0f) && vertex.tangent == glm::vec3(0.0f));
    EXPECT_TRUE(model.meshes[0].textures.empty());
}

TEST_F(ModelTest, EachTypeTakesTheNextUnitAndAFileIsLoadedAndReportedOnce)
{
    ModelDir dir;
    for (const char* name : {"d.png", "s.png", "n.png", "h.png"}) dir.writePng(name);
    Model model;
    const std::string output = captureStdout([&] {
        model = Model(dir.writeObj("newmtl full\nmap_Kd d.png\nmap_Ks s.png\nmap_bump n.png\nmap_Ka h.png\n\n"
                                   "newmtl reuse\nmap_Kd s.png\nmap_Ks lost.png\nmap_bump lost.png\n",
                                   {"full", "reuse"}));
    });
    EXPECT_EQ(output, "Texture failed to load at path: lost.png\n");
    ASSERT_EQ(model.meshes.size(), 2u);
    EXPECT_FLOAT_EQ(model.meshes[1].vertices[0].position.x, 5.0f) << "meshes in file order";
    EXPECT_FLOAT_EQ(model.meshes[0].vertices[2].texCoords.y, 0.0f) << "v is flipped on import";
    EXPECT_EQ(model.loadedTextures.size(), 5u);
    EXPECT_EQ(model.textureObjects.size(), 5u);

    const std::vector<Texture>& full = model.meshes[0].textures;
    const std::string types[4] = {"texture_diffuse", "texture_specular", "texture_normal", "texture_height"};
    Shader probe = samplerProbe({"texture_diffuse1", "texture_specular1", "texture_normal1", "texture_height1"});
    glActiveTexture(GL_TEXTURE5);
    model.meshes[0].draw(probe);
    ASSERT_EQ(full.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(full[i].type, types[i]);
        EXPECT_EQ(samplerUnit(probe, types[i] + "1"), i);
        int bound = 0;
        glActiveTexture(GL_TEXTURE0 + i);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<unsigned>(bound), full[i].id) << "unit " << i;
    }

    // s.png again, now as diffuse: the same texture, keeping the type it was first loaded under.
    const std::vector<Texture>& reuse = model.meshes[1].textures;
    ASSERT_EQ(reuse.size(), 3u);
    EXPECT_EQ(reuse[0].id, full[1].id);
    EXPECT_EQ(reuse[0].type, "texture_specular");
    EXPECT_EQ(reuse[1].id, reuse[2].id) << "the missing file is one texture";
    glActiveTexture(GL_TEXTURE5);
    model.draw(probe);
    int active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE0) << "the draw leaves unit 0 active";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
