#pragma once
#include <iosfwd>
#include <string>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "render/GlObject.h"

// A built GPU program pair: `id` holds vertex + fragment (+ geometry), and
// `computeId` the compute stage of the four-file form. Build errors are printed
// on the log it is given; a failed program simply draws nothing useful. A shader
// owns its programs: it moves but never copies, and deletes them when it dies.
class Shader {
public:
    Shader() = default;
    Shader(const std::string& vertexPath, const std::string& fragmentPath, std::ostream& log);
    // geometryPath and computePath may be null.
    Shader(const char* vertexPath, const char* fragmentPath, const char* geometryPath, const char* computePath,
           std::ostream& log);
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;
    Shader(Shader&&) noexcept = default;
    Shader& operator=(Shader&&) noexcept = default;

    void use() const;
    void setInt(const std::string& name, int value) const;
    void setFloat(const std::string& name, float value) const;
    void setVec3(const std::string& name, const glm::vec3& value) const;
    void setMat4(const std::string& name, const glm::mat4& value) const;

    // Prints the compile log of a stage object, or the link log when `type` is
    // "PROGRAM"; prints nothing on success.
    static void reportBuildStatus(unsigned object, const std::string& type, std::ostream& log);

    GlProgram computeId;
    GlProgram id;
};
