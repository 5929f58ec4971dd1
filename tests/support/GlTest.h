#pragma once
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "render/Shader.h"
#include "support/CaptureStdout.h"
#include "support/GlTestWindow.h"

inline const std::string kShaderDir = std::string(VAULTRISE_SOURCE_DIR) + "/assets/shaders/";

// Fixture for tests that need a current GL 4.6 context.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.ok()) << "no 4.6 context: are MESA_GL_VERSION_OVERRIDE and MESA_GLSL_VERSION_OVERRIDE set?";
    }
    GlTestWindow window;
};

// The game's program `name` from `name`.vs/.fs, or for "particleGPU" from its
// four files with the compute stage; `log` receives its console output.
inline Shader gameShader(const std::string& name, std::string* log = nullptr)
{
    const std::string base = kShaderDir + name + ".";
    Shader shader;
    const std::string out = captureStdout([&] {
        if (name != "particleGPU") shader = Shader(base + "vs", base + "fs", std::cout);
        else shader = Shader((base + "vs").c_str(), (base + "fs").c_str(), (base + "gs").c_str(), (base + "cos").c_str(), std::cout);
    });
    if (log) *log = out;
    return shader;
}

// A 1 x 1 texture of one RGBA colour.
inline GlTexture solidTexture(const char* rgba)
{
    GlTexture texture = GlTexture::create();
    glTextureStorage2D(texture, 1, GL_RGBA8, 1, 1);
    glClearTexImage(texture, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return texture;
}

// A fresh folder under /tmp, removed with its contents afterwards.
struct ScratchDir {
    ScratchDir()
    {
        char pattern[] = "/tmp/vaultrise_testXXXXXX";
        path = mkdtemp(pattern);
    }
    ~ScratchDir() { std::filesystem::remove_all(path); }
    std::string write(const std::string& name, const std::string& text) const
    {
        std::ofstream(path + "/" + name) << text;
        return path + "/" + name;
    }
    std::string path;
};
