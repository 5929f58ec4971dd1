#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "render/Shader.h"
#include "support/CaptureStdout.h"
#include "support/GlTestWindow.h"

namespace {

const std::string kShaderDir = std::string(VAULTRISE_SOURCE_DIR) + "/assets/shaders/";
const char* kReadError = "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ\n";

int countOccurrences(const std::string& text, const std::string& needle)
{
    int count = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++count;
    return count;
}

class ScratchDir {
public:
    ScratchDir()
    {
        char pattern[] = "/tmp/vaultrise_shaderXXXXXX";
        path = mkdtemp(pattern);
    }
    ~ScratchDir() { std::filesystem::remove_all(path); }
    std::string write(const std::string& name, const std::string& text) const
    {
        std::string file = path + "/" + name;
        std::ofstream(file) << text;
        return file;
    }
    std::string path;
};

bool isLinked(unsigned program)
{
    int status = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status != 0;
}

}  // namespace

TEST(Shader, EveryGameProgramBuildsWithoutErrors)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    const char* pairs[] = {"font", "laser", "model", "bloom", "blur", "bloom_final", "animated", "particle"};
    for (const char* name : pairs) {
        Shader shader;
        std::string output = captureStdout([&] {
            shader = Shader(kShaderDir + name + ".vs", kShaderDir + name + ".fs");
        });
        EXPECT_EQ(output, "") << name;
        EXPECT_TRUE(isLinked(shader.id)) << name;
    }

    Shader particles;
    std::string output = captureStdout([&] {
        particles = Shader((kShaderDir + "particleGPU.vs").c_str(), (kShaderDir + "particleGPU.fs").c_str(),
                           (kShaderDir + "particleGPU.gs").c_str(), (kShaderDir + "particleGPU.cos").c_str());
    });
    EXPECT_EQ(output, "");
    EXPECT_TRUE(isLinked(particles.id));
    EXPECT_TRUE(isLinked(particles.computeId));
    EXPECT_NE(particles.computeId, particles.id);
}

TEST(Shader, ProgramsOfferTheUniformsTheGameSets)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    auto has = [](const Shader& shader, const char* uniform) { return glGetUniformLocation(shader.id, uniform) >= 0; };
    auto build = [](const std::string& name) {
        Shader shader;
        captureStdout([&] { shader = Shader(kShaderDir + name + ".vs", kShaderDir + name + ".fs"); });
        return shader;
    };

    Shader font = build("font");
    EXPECT_TRUE(has(font, "projection"));
    EXPECT_TRUE(has(font, "textColor"));
    Shader laser = build("laser");
    for (const char* uniform : {"projection", "view", "model", "vaultrise"}) EXPECT_TRUE(has(laser, uniform)) << uniform;
    Shader model = build("model");
    for (const char* uniform : {"projection", "view", "model", "texture_diffuse1"}) EXPECT_TRUE(has(model, uniform)) << uniform;
    Shader bloom = build("bloom");
    for (const char* uniform : {"projection", "view", "model", "diffuseTexture", "lights[0].Position", "lights[0].Color", "viewPos"})
        EXPECT_TRUE(has(bloom, uniform)) << uniform;
    Shader blur = build("blur");
    EXPECT_TRUE(has(blur, "image"));
    EXPECT_TRUE(has(blur, "horizontal"));
    Shader finalPass = build("bloom_final");
    for (const char* uniform : {"scene", "bloomBlur", "bloom", "exposure"}) EXPECT_TRUE(has(finalPass, uniform)) << uniform;
    Shader animated = build("animated");
    for (const char* uniform : {"projection", "view", "model", "tick", "dT"}) EXPECT_TRUE(has(animated, uniform)) << uniform;

    // Two colour outputs: the lit colour and its bright part.
    EXPECT_EQ(glGetFragDataLocation(bloom.id, "FragColor"), 0);
    EXPECT_EQ(glGetFragDataLocation(bloom.id, "BrightColor"), 1);

    Shader particles;
    captureStdout([&] {
        particles = Shader((kShaderDir + "particleGPU.vs").c_str(), (kShaderDir + "particleGPU.fs").c_str(),
                           (kShaderDir + "particleGPU.gs").c_str(), (kShaderDir + "particleGPU.cos").c_str());
    });
    for (const char* uniform : {"view", "model", "ProjectionMatrix"}) EXPECT_TRUE(has(particles, uniform)) << uniform;
    for (const char* uniform : {"LastCount", "MaxCount", "DeltaT"})
        EXPECT_GE(glGetUniformLocation(particles.computeId, uniform), 0) << uniform;
    int groupSize[3] = {};
    glGetProgramiv(particles.computeId, GL_COMPUTE_WORK_GROUP_SIZE, groupSize);
    EXPECT_EQ(groupSize[0], 256);
    EXPECT_EQ(groupSize[1], 1);
    EXPECT_EQ(groupSize[2], 1);
}

TEST(Shader, MissingVertexFileIsReportedOnceAndTheFragmentFileIsNeverOpened)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    ScratchDir dir;
    // A reader opening a FIFO blocks until a writer appears; a non-blocking
    // writer, in turn, only succeeds while a reader has it open. So the probe
    // below tells whether the constructor ever tried to open the fragment file.
    std::string fragment = dir.path + "/probe.fs";
    ASSERT_EQ(mkfifo(fragment.c_str(), 0600), 0);
    bool fragmentWasOpened = false;
    std::thread probe([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        int fd = open(fragment.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            fragmentWasOpened = true;
            close(fd);
        }
    });

    Shader shader;
    std::string output = captureStdout([&] { shader = Shader(dir.path + "/missing.vs", fragment); });
    probe.join();

    EXPECT_FALSE(fragmentWasOpened);
    EXPECT_EQ(countOccurrences(output, kReadError), 1) << output;
    EXPECT_EQ(output.rfind(kReadError, 0), 0u) << "the read error comes before any build report";
    EXPECT_NE(shader.id, 0u) << "the program is still created from the empty sources";
}

TEST(Shader, BothFilesMissingStillGiveOneReadLine)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    std::string output = captureStdout([] {
        Shader shader("/nonexistent/a.vs", "/nonexistent/b.fs");
        Shader fourFiles("/nonexistent/a.vs", "/nonexistent/b.fs", nullptr, nullptr);
    });
    EXPECT_EQ(countOccurrences(output, kReadError), 2) << output;
    // Empty sources fail to compile (no main) and are reported in the usual format.
    EXPECT_EQ(countOccurrences(output, "ERROR::SHADER_COMPILATION_ERROR of type: VERTEX\n"), 2) << output;
}

TEST(Shader, MissingGeometryFileLeavesTheOtherSourcesEmptyToo)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    Shader shader;
    std::string output = captureStdout([&] {
        shader = Shader((kShaderDir + "particleGPU.vs").c_str(), (kShaderDir + "particleGPU.fs").c_str(),
                        "/nonexistent/particle.gs", (kShaderDir + "particleGPU.cos").c_str());
    });
    EXPECT_EQ(countOccurrences(output, kReadError), 1);
    // The good files were read but never copied into the sources.
    EXPECT_NE(output.find("ERROR::SHADER_COMPILATION_ERROR of type: VERTEX\n"), std::string::npos) << output;
    EXPECT_NE(output.find("ERROR::SHADER_COMPILATION_ERROR of type: COMPUTE\n"), std::string::npos) << output;
    EXPECT_FALSE(isLinked(shader.id));
}

TEST(Shader, FourFileFormCompilesComputeVertexFragmentGeometryInThatOrder)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    ScratchDir dir;
    const std::string broken = "#version 460 core\nvoid main() { this is not glsl; }\n";
    std::string vs = dir.write("broken.vs", broken);
    std::string fs = dir.write("broken.fs", broken);
    std::string gs = dir.write("broken.gs", broken);
    std::string cs = dir.write("broken.cos", broken);

    Shader shader;
    std::string output = captureStdout([&] { shader = Shader(vs.c_str(), fs.c_str(), gs.c_str(), cs.c_str()); });

    size_t compute = output.find("ERROR::SHADER_COMPILATION_ERROR of type: COMPUTE\n");
    size_t vertex = output.find("ERROR::SHADER_COMPILATION_ERROR of type: VERTEX\n");
    size_t fragment = output.find("ERROR::SHADER_COMPILATION_ERROR of type: FRAGMENT\n");
    size_t geometry = output.find("ERROR::SHADER_COMPILATION_ERROR of type: GEOMETRY\n");
    size_t link = output.find("ERROR::PROGRAM_LINKING_ERROR of type: PROGRAM\n");
    ASSERT_NE(compute, std::string::npos) << output;
    ASSERT_NE(vertex, std::string::npos);
    ASSERT_NE(fragment, std::string::npos);
    ASSERT_NE(geometry, std::string::npos);
    ASSERT_NE(link, std::string::npos);
    EXPECT_LT(compute, vertex);
    EXPECT_LT(vertex, fragment);
    EXPECT_LT(fragment, geometry);
    EXPECT_LT(geometry, link);
    // Every report ends with the separator line; the compute link is never reported.
    EXPECT_EQ(countOccurrences(output, "\n -- --------------------------------------------------- -- \n"), 5) << output;
    EXPECT_EQ(countOccurrences(output, "ERROR::PROGRAM_LINKING_ERROR"), 1);
    EXPECT_NE(shader.computeId, 0u);
}

TEST(Shader, ComputeProgramIsCreatedButLeftEmptyWithoutAComputeFile)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    Shader shader;
    std::string output = captureStdout([&] {
        shader = Shader((kShaderDir + "model.vs").c_str(), (kShaderDir + "model.fs").c_str(), nullptr, nullptr);
    });
    EXPECT_EQ(output, "");
    EXPECT_TRUE(isLinked(shader.id));
    EXPECT_TRUE(glIsProgram(shader.computeId));
    int attached = -1;
    glGetProgramiv(shader.computeId, GL_ATTACHED_SHADERS, &attached);
    EXPECT_EQ(attached, 0);
    EXPECT_FALSE(isLinked(shader.computeId));
}

TEST(Shader, SettersWriteByNameAndIgnoreMissingUniforms)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok());
    Shader particles;
    captureStdout([&] {
        particles = Shader((kShaderDir + "particleGPU.vs").c_str(), (kShaderDir + "particleGPU.fs").c_str(),
                           (kShaderDir + "particleGPU.gs").c_str(), (kShaderDir + "particleGPU.cos").c_str());
    });
    Shader laser;
    captureStdout([&] { laser = Shader(kShaderDir + "laser.vs", kShaderDir + "laser.fs"); });

    laser.use();
    int current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<unsigned>(current), laser.id);

    laser.setFloat("vaultrise", 12.5f);
    glm::mat4 view(1.0f);
    view[3][0] = 7.0f;
    laser.setMat4("view", view);
    float value = 0.0f;
    glGetUniformfv(laser.id, glGetUniformLocation(laser.id, "vaultrise"), &value);
    EXPECT_FLOAT_EQ(value, 12.5f);
    float matrix[16] = {};
    glGetUniformfv(laser.id, glGetUniformLocation(laser.id, "view"), matrix);
    EXPECT_FLOAT_EQ(matrix[12], 7.0f) << "column-major, not transposed";

    glGetError();
    std::string output = captureStdout([&] {
        laser.setInt("noSuchUniform", 3);
        laser.setFloat("noSuchUniform", 3.0f);
        laser.setVec3("noSuchUniform", glm::vec3(1.0f));
        laser.setMat4("noSuchUniform", glm::mat4(1.0f));
        laser.setUnsigned("noSuchUniform", 3u);
    });
    EXPECT_EQ(output, "");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glGetUniformfv(laser.id, glGetUniformLocation(laser.id, "vaultrise"), &value);
    EXPECT_FLOAT_EQ(value, 12.5f);

    // The compute stage's counts are unsigned; the caller makes that program current.
    glUseProgram(particles.computeId);
    Shader computeView;
    computeView.id = particles.computeId;
    computeView.setUnsigned("LastCount", 42u);
    computeView.setUnsigned("MaxCount", 100u);
    unsigned count = 0;
    glGetUniformuiv(particles.computeId, glGetUniformLocation(particles.computeId, "LastCount"), &count);
    EXPECT_EQ(count, 42u);
    glGetUniformuiv(particles.computeId, glGetUniformLocation(particles.computeId, "MaxCount"), &count);
    EXPECT_EQ(count, 100u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
