#include <epoxy/gl.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "support/GlTest.h"

namespace {

const char* kReadError = "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ\n";
const std::string kCompileError = "ERROR::SHADER_COMPILATION_ERROR of type: ";

int countOf(const std::string& text, const std::string& needle)
{
    int count = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++count;
    return count;
}

bool isLinked(unsigned program)
{
    int status = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status != 0;
}

}  // namespace

using ShaderTest = GlTest;

TEST_F(ShaderTest, EveryGameProgramBuildsAndOffersTheUniformsTheGameSets)
{
    const std::vector<std::pair<const char*, std::vector<const char*>>> programs = {
        {"font", {"projection", "textColor"}},
        {"laser", {"projection", "view", "model", "vaultrise"}},
        {"model", {"projection", "view", "model", "texture_diffuse1"}},
        {"bloom", {"projection", "view", "model", "diffuseTexture", "lights[0].Position", "lights[0].Color", "viewPos"}},
        {"blur", {"image", "horizontal"}},
        {"bloom_final", {"scene", "bloomBlur", "bloom", "exposure"}},
        {"animated", {"projection", "view", "model", "tick", "dT"}},
        {"particle", {}},
    };
    for (const auto& [name, uniforms] : programs) {
        std::string log;
        const Shader shader = gameShader(name, &log);
        EXPECT_EQ(log, "") << name;
        EXPECT_TRUE(isLinked(shader.id)) << name;
        for (const char* u : uniforms) EXPECT_GE(glGetUniformLocation(shader.id, u), 0) << name << " " << u;
        if (std::string(name) == "bloom") {  // the lit colour and its bright part
            EXPECT_EQ(glGetFragDataLocation(shader.id, "FragColor"), 0);
            EXPECT_EQ(glGetFragDataLocation(shader.id, "BrightColor"), 1);
        }
    }

    std::string log;
    const Shader particles = particleShader(&log);
    EXPECT_EQ(log, "");
    EXPECT_TRUE(isLinked(particles.id));
    EXPECT_TRUE(isLinked(particles.computeId));
    EXPECT_NE(particles.computeId, particles.id);
    for (const char* u : {"view", "model", "ProjectionMatrix"}) EXPECT_GE(glGetUniformLocation(particles.id, u), 0) << u;
    for (const char* u : {"LastCount", "MaxCount", "DeltaT"}) EXPECT_GE(glGetUniformLocation(particles.computeId, u), 0) << u;
    int groupSize[3] = {};
    glGetProgramiv(particles.computeId, GL_COMPUTE_WORK_GROUP_SIZE, groupSize);
    EXPECT_EQ(std::vector<int>(groupSize, groupSize + 3), (std::vector<int>{256, 1, 1}));
}

TEST_F(ShaderTest, MissingVertexFileIsReportedOnceAndTheFragmentFileIsNeverOpened)
{
    ScratchDir dir;
    // Opening a FIFO for reading blocks until a writer appears, and a
    // non-blocking writer only succeeds while a reader has it open: the probe
    // tells whether the constructor ever tried to open the fragment file.
    const std::string fragment = dir.path + "/probe.fs";
    ASSERT_EQ(mkfifo(fragment.c_str(), 0600), 0);
    bool fragmentWasOpened = false;
    std::thread probe([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        const int fd = open(fragment.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            fragmentWasOpened = true;
            close(fd);
        }
    });
    Shader shader;
    const std::string output = captureStdout([&] { shader = Shader(dir.path + "/missing.vs", fragment); });
    probe.join();

    EXPECT_FALSE(fragmentWasOpened);
    EXPECT_EQ(countOf(output, kReadError), 1) << output;
    EXPECT_EQ(output.rfind(kReadError, 0), 0u) << "the read error comes before any build report";
    EXPECT_NE(shader.id, 0u) << "the program is still created from the empty sources";
}

TEST_F(ShaderTest, AnyMissingFileEmptiesEverySourceWithOneReadLine)
{
    // Empty sources fail to compile (no main) and are reported in the usual format.
    std::string output = captureStdout([] {
        Shader shader("/nonexistent/a.vs", "/nonexistent/b.fs");
        Shader fourFiles("/nonexistent/a.vs", "/nonexistent/b.fs", nullptr, nullptr);
    });
    EXPECT_EQ(countOf(output, kReadError), 2) << output;
    EXPECT_EQ(countOf(output, kCompileError + "VERTEX\n"), 2) << output;

    // A missing geometry file: the good files were read but never copied into the sources.
    const std::string base = kShaderDir + "particleGPU.";
    Shader shader;
    output = captureStdout([&] {
        shader = Shader((base + "vs").c_str(), (base + "fs").c_str(), "/nonexistent/particle.gs", (base + "cos").c_str());
    });
    EXPECT_EQ(countOf(output, kReadError), 1);
    EXPECT_EQ(countOf(output, kCompileError + "VERTEX\n"), 1) << output;
    EXPECT_EQ(countOf(output, kCompileError + "COMPUTE\n"), 1) << output;
    EXPECT_FALSE(isLinked(shader.id));
}

TEST_F(ShaderTest, FourFileFormCompilesComputeVertexFragmentGeometryInThatOrder)
{
    ScratchDir dir;
    const std::string broken = "#version 460 core\nvoid main() { this is not glsl; }\n";
    const std::string vs = dir.write("b.vs", broken), fs = dir.write("b.fs", broken), gs = dir.write("b.gs", broken),
                      cs = dir.write("b.cos", broken);
    Shader shader;
    const std::string output = captureStdout([&] { shader = Shader(vs.c_str(), fs.c_str(), gs.c_str(), cs.c_str()); });

    size_t previous = 0;
    for (const std::string& report : {kCompileError + "COMPUTE\n", kCompileError + "VERTEX\n", kCompileError + "FRAGMENT\n",
                                      kCompileError + "GEOMETRY\n", std::string("ERROR::PROGRAM_LINKING_ERROR of type: PROGRAM\n")}) {
        const size_t at = output.find(report);
        ASSERT_NE(at, std::string::npos) << report << output;
        EXPECT_GE(at, previous) << report;
        previous = at;
    }
    // Every report ends with the separator line; the compute link is never reported.
    EXPECT_EQ(countOf(output, "\n -- --------------------------------------------------- -- \n"), 5) << output;
    EXPECT_EQ(countOf(output, "ERROR::PROGRAM_LINKING_ERROR"), 1);
    EXPECT_NE(shader.computeId, 0u);
}

TEST_F(ShaderTest, ComputeProgramIsCreatedButLeftEmptyWithoutAComputeFile)
{
    Shader shader;
    const std::string output = captureStdout([&] {
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

TEST_F(ShaderTest, SettersWriteByNameAndIgnoreMissingUniforms)
{
    const Shader particles = particleShader();
    Shader laser = gameShader("laser");
    laser.use();
    int current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<unsigned>(current), laser.id);

    laser.setFloat("vaultrise", 12.5f);
    glm::mat4 view(1.0f);
    view[3][0] = 7.0f;
    laser.setMat4("view", view);
    float matrix[16] = {};
    glGetUniformfv(laser.id, glGetUniformLocation(laser.id, "view"), matrix);
    EXPECT_FLOAT_EQ(matrix[12], 7.0f) << "column-major, not transposed";

    glGetError();
    const std::string output = captureStdout([&] {
        laser.setInt("noSuchUniform", 3);
        laser.setFloat("noSuchUniform", 3.0f);
        laser.setVec3("noSuchUniform", glm::vec3(1.0f));
        laser.setMat4("noSuchUniform", glm::mat4(1.0f));
        laser.setUnsigned("noSuchUniform", 3u);
    });
    EXPECT_EQ(output, "");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    float value = 0.0f;
    glGetUniformfv(laser.id, glGetUniformLocation(laser.id, "vaultrise"), &value);
    EXPECT_FLOAT_EQ(value, 12.5f);

    // The compute stage's counts are unsigned; the caller makes that program current.
    glUseProgram(particles.computeId);
    Shader computeView;
    computeView.id = particles.computeId;
    computeView.setUnsigned("LastCount", 42u);
    unsigned count = 0;
    glGetUniformuiv(particles.computeId, glGetUniformLocation(particles.computeId, "LastCount"), &count);
    EXPECT_EQ(count, 42u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
