#include <epoxy/gl.h>

#include "support/GlTest.h"

namespace {

const std::string kReadError = "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ\n";
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

// A uniform the game sets but the program lacks (renamed, or optimised away
// because unused) is silently ignored by GL; each one the game sets must exist.
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
    }
    std::string log;
    const Shader particles = particleShader(&log);
    EXPECT_EQ(log, "");
    EXPECT_TRUE(isLinked(particles.id) && isLinked(particles.computeId));
    for (const char* u : {"view", "model", "ProjectionMatrix"}) EXPECT_GE(glGetUniformLocation(particles.id, u), 0) << u;
    for (const char* u : {"LastCount", "MaxCount", "DeltaT"}) EXPECT_GE(glGetUniformLocation(particles.computeId, u), 0) << u;
}

TEST_F(ShaderTest, AnyMissingFileEmptiesEverySourceWithOneReadLineFirst)
{
    // The fragment file exists, but a half-read program is never built.
    std::string output = captureStdout([] { Shader shader("/nonexistent/a.vs", kShaderDir + "model.fs"); });
    EXPECT_EQ(output.rfind(kReadError, 0), 0u) << output;
    EXPECT_EQ(countOf(output, kReadError), 1) << output;
    EXPECT_EQ(countOf(output, kCompileError + "FRAGMENT\n"), 1) << output;

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

TEST_F(ShaderTest, FourFileFormReportsComputeVertexFragmentGeometryThenTheLink)
{
    ScratchDir dir;
    const std::string broken = "#version 460 core\nvoid main() { this is not glsl; }\n";
    const std::string vs = dir.write("b.vs", broken), fs = dir.write("b.fs", broken), gs = dir.write("b.gs", broken),
                      cs = dir.write("b.cos", broken);
    const std::string output = captureStdout([&] { Shader shader(vs.c_str(), fs.c_str(), gs.c_str(), cs.c_str()); });

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
}
