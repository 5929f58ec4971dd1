#include <epoxy/gl.h>

#include "support/GlTest.h"

using ShaderTest = GlTest;

// GL ignores a uniform the program lacks (renamed, or optimised away as
// unused), so each one the game sets must exist.
TEST_F(ShaderTest, EveryGameProgramBuildsAndOffersTheUniformsTheGameSets)
{
    const std::vector<std::pair<const char*, std::vector<const char*>>> programs = {
        {"font", {"projection", "textColor"}}, {"blur", {"image", "horizontal"}}, {"particle", {}},
        {"laser", {"projection", "view", "model", "vaultrise"}},
        {"model", {"projection", "view", "model", "texture_diffuse1"}},
        {"bloom", {"projection", "view", "model", "diffuseTexture", "lights[0].Position", "lights[0].Color", "viewPos"}},
        {"bloom_final", {"scene", "bloomBlur", "bloom", "exposure"}},
        {"animated", {"projection", "view", "model", "tick", "dT"}},
        {"particleGPU", {"view", "model", "ProjectionMatrix"}},
    };
    for (const auto& [name, uniforms] : programs) {
        std::string log;
        const Shader shader = gameShader(name, &log);
        EXPECT_EQ(log, "") << name << ": no compile or link error";
        for (const char* u : uniforms) EXPECT_GE(glGetUniformLocation(shader.id, u), 0) << name << " " << u;
    }
    // The compute program's link is never reported.
    const Shader particles = gameShader("particleGPU");
    int linked = 0;
    glGetProgramiv(particles.computeId, GL_LINK_STATUS, &linked);
    EXPECT_TRUE(linked);
    for (const char* u : {"LastCount", "MaxCount", "DeltaT"}) EXPECT_GE(glGetUniformLocation(particles.computeId, u), 0) << u;
}

// A missing file empties every source, even those already read: the read line,
// then one report per stage and link in build order, each closed by a separator.
TEST_F(ShaderTest, AMissingFileIsReportedFirstThenEveryStageInBuildOrder)
{
    const std::string output = captureStdout([] {
        Shader twoFiles("/nonexistent/a.vs", kShaderDir + "model.fs", std::cout);
        const std::string base = kShaderDir + "particleGPU.";
        Shader fourFiles((base + "vs").c_str(), (base + "fs").c_str(), "/nonexistent/particle.gs", (base + "cos").c_str(), std::cout);
    });
    const std::string read = "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ\n", stage = "ERROR::SHADER_COMPILATION_ERROR of type: ",
                      link = "ERROR::PROGRAM_LINKING_ERROR of type: PROGRAM\n";
    size_t at = 0;
    for (const std::string& line : {read, stage + "VERTEX\n", stage + "FRAGMENT\n", link, read, stage + "COMPUTE\n",
                                    stage + "VERTEX\n", stage + "FRAGMENT\n", stage + "GEOMETRY\n", link}) {
        at = output.find(line, at);
        ASSERT_NE(at, std::string::npos) << line << " missing or out of order in:\n" << output;
        ++at;
    }
    auto countOf = [&](const std::string& needle) {
        int count = 0;
        for (size_t found = output.find(needle); found != std::string::npos; found = output.find(needle, found + 1)) ++count;
        return count;
    };
    EXPECT_EQ(countOf("ERROR::"), 10) << output;
    EXPECT_EQ(countOf("\n -- --------------------------------------------------- -- \n"), 8) << output;
}
