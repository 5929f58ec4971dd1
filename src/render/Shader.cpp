#include "render/Shader.h"

#include <epoxy/gl.h>

#include <ostream>
#include <utility>

#include <glm/gtc/type_ptr.hpp>

#include "core/FileCheck.h"

namespace {

// Reads the given files (null entries are skipped) in order. The first file
// that is missing or refused ends the read and every source stays empty: a
// half-read program is never built.
void readSources(const char* const paths[], std::string* sources[], int count, std::ostream& log)
{
    std::string texts[4];
    for (int i = 0; i < count; ++i) {
        if (!paths[i]) continue;
        CheckedFile file = readCheckedFile(paths[i], FileKind::Shader, log);
        if (!file.bytes) {
            log << "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ\n";
            return;
        }
        texts[i] = std::move(*file.bytes);
    }
    for (int i = 0; i < count; ++i) {
        if (paths[i]) *sources[i] = std::move(texts[i]);
    }
}

// The stage object is deleted when the returned owner dies, right after linking.
GlShaderStage compileStage(GLenum stage, const std::string& source, const char* typeWord, std::ostream& log)
{
    GlShaderStage object(glCreateShader(stage));
    const char* text = source.c_str();
    glShaderSource(object, 1, &text, nullptr);
    glCompileShader(object);
    Shader::reportBuildStatus(object, typeWord, log);
    return object;
}

}  // namespace

Shader::Shader(const std::string& vertexPath, const std::string& fragmentPath, std::ostream& log)
{
    std::string vertexSource;
    std::string fragmentSource;
    const char* paths[] = {vertexPath.c_str(), fragmentPath.c_str()};
    std::string* sources[] = {&vertexSource, &fragmentSource};
    readSources(paths, sources, 2, log);

    const GlShaderStage vertex = compileStage(GL_VERTEX_SHADER, vertexSource, "VERTEX", log);
    const GlShaderStage fragment = compileStage(GL_FRAGMENT_SHADER, fragmentSource, "FRAGMENT", log);

    id = GlProgram::create();
    glAttachShader(id, vertex);
    glAttachShader(id, fragment);
    glLinkProgram(id);
    reportBuildStatus(id, "PROGRAM", log);
}

Shader::Shader(const char* vertexPath, const char* fragmentPath, const char* geometryPath, const char* computePath,
               std::ostream& log)
{
    std::string vertexSource;
    std::string fragmentSource;
    std::string geometrySource;
    std::string computeSource;
    const char* paths[] = {vertexPath, fragmentPath, geometryPath, computePath};
    std::string* sources[] = {&vertexSource, &fragmentSource, &geometrySource, &computeSource};
    readSources(paths, sources, 4, log);

    // The compute stage is compiled first so its errors lead the log.
    GlShaderStage compute;
    if (computePath) compute = compileStage(GL_COMPUTE_SHADER, computeSource, "COMPUTE", log);
    const GlShaderStage vertex = compileStage(GL_VERTEX_SHADER, vertexSource, "VERTEX", log);
    const GlShaderStage fragment = compileStage(GL_FRAGMENT_SHADER, fragmentSource, "FRAGMENT", log);
    GlShaderStage geometry;
    if (geometryPath) geometry = compileStage(GL_GEOMETRY_SHADER, geometrySource, "GEOMETRY", log);

    // The compute program is separate because a program cannot mix compute
    // with graphics stages; its link result shows up when it is dispatched.
    computeId = GlProgram::create();
    if (computePath) {
        glAttachShader(computeId, compute);
        glLinkProgram(computeId);
    }

    id = GlProgram::create();
    glAttachShader(id, vertex);
    glAttachShader(id, fragment);
    if (geometryPath) glAttachShader(id, geometry);
    glLinkProgram(id);
    reportBuildStatus(id, "PROGRAM", log);
}

void Shader::use() const
{
    glUseProgram(id);
}

void Shader::setInt(const std::string& name, int value) const
{
    glUniform1i(glGetUniformLocation(id, name.c_str()), value);
}

void Shader::setFloat(const std::string& name, float value) const
{
    glUniform1f(glGetUniformLocation(id, name.c_str()), value);
}

void Shader::setVec3(const std::string& name, const glm::vec3& value) const
{
    glUniform3fv(glGetUniformLocation(id, name.c_str()), 1, glm::value_ptr(value));
}

void Shader::setMat4(const std::string& name, const glm::mat4& value) const
{
    glUniformMatrix4fv(glGetUniformLocation(id, name.c_str()), 1, GL_FALSE, glm::value_ptr(value));
}

void Shader::reportBuildStatus(unsigned object, const std::string& type, std::ostream& log)
{
    int success = 0;
    char infoLog[1024] = {};
    if (type == "PROGRAM") {
        glGetProgramiv(object, GL_LINK_STATUS, &success);
        if (!success) {
            glGetProgramInfoLog(object, 1024, nullptr, infoLog);
            log << "ERROR::PROGRAM_LINKING_ERROR of type: " << type << "\n"
                << infoLog << "\n -- --------------------------------------------------- -- " << "\n";
        }
    } else {
        glGetShaderiv(object, GL_COMPILE_STATUS, &success);
        if (!success) {
            glGetShaderInfoLog(object, 1024, nullptr, infoLog);
            log << "ERROR::SHADER_COMPILATION_ERROR of type: " << type << "\n"
                << infoLog << "\n -- --------------------------------------------------- -- " << "\n";
        }
    }
}
