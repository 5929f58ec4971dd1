#pragma once
#include <epoxy/gl.h>

#include <utility>

// How each kind of GL object is made, deleted and named in debug output.
namespace gl_kind {

struct Buffer {
    static constexpr GLenum identifier = GL_BUFFER;
    static GLuint create() { GLuint name = 0; glCreateBuffers(1, &name); return name; }
    static void destroy(GLuint name) { glDeleteBuffers(1, &name); }
};
struct Texture {  // always a 2D texture: the game has no other kind
    static constexpr GLenum identifier = GL_TEXTURE;
    static GLuint create() { GLuint name = 0; glCreateTextures(GL_TEXTURE_2D, 1, &name); return name; }
    static void destroy(GLuint name) { glDeleteTextures(1, &name); }
};
struct VertexArray {
    static constexpr GLenum identifier = GL_VERTEX_ARRAY;
    static GLuint create() { GLuint name = 0; glCreateVertexArrays(1, &name); return name; }
    static void destroy(GLuint name) { glDeleteVertexArrays(1, &name); }
};
struct Framebuffer {
    static constexpr GLenum identifier = GL_FRAMEBUFFER;
    static GLuint create() { GLuint name = 0; glCreateFramebuffers(1, &name); return name; }
    static void destroy(GLuint name) { glDeleteFramebuffers(1, &name); }
};
struct Renderbuffer {
    static constexpr GLenum identifier = GL_RENDERBUFFER;
    static GLuint create() { GLuint name = 0; glCreateRenderbuffers(1, &name); return name; }
    static void destroy(GLuint name) { glDeleteRenderbuffers(1, &name); }
};
struct Program {
    static constexpr GLenum identifier = GL_PROGRAM;
    static GLuint create() { return glCreateProgram(); }
    static void destroy(GLuint name) { glDeleteProgram(name); }
};
struct TimestampQuery {  // the benchmark's GL timer marks
    static constexpr GLenum identifier = GL_QUERY;
    static GLuint create() { GLuint name = 0; glCreateQueries(GL_TIMESTAMP, 1, &name); return name; }
    static void destroy(GLuint name) { glDeleteQueries(1, &name); }
};
struct ShaderStage {  // made with the stage type: GlShaderStage(glCreateShader(type))
    static constexpr GLenum identifier = GL_SHADER;
    static void destroy(GLuint name) { glDeleteShader(name); }
};

}  // namespace gl_kind

// The one owner of a GL object name. It cannot be copied, so two holders never
// share a name; moving hands the name over and leaves the source empty (0); the
// destructor deletes a non-zero name, so an owner must die while its context
// is still current.
//
// An lvalue owner converts to its name for GL calls and for code that only
// refers to the object (the name stays owned here). A temporary owner does
// not convert: its name would be deleted at the end of the expression.
template <class Kind>
class GlObject {
public:
    GlObject() = default;
    explicit GlObject(GLuint name) noexcept : name_(name) {}
    // A fresh object that exists at once (glCreate*), so it can be labelled
    // or queried before it is first bound.
    static GlObject create() { return GlObject(Kind::create()); }

    ~GlObject() { reset(); }
    GlObject(const GlObject&) = delete;
    GlObject& operator=(const GlObject&) = delete;
    GlObject(GlObject&& other) noexcept : name_(std::exchange(other.name_, 0)) {}
    GlObject& operator=(GlObject&& other) noexcept
    {
        if (this != &other) {
            reset();
            name_ = std::exchange(other.name_, 0);
        }
        return *this;
    }

    GLuint get() const& { return name_; }
    GLuint get() && = delete;
    operator GLuint() const& { return name_; }
    operator GLuint() && = delete;

    // Deletes the object now; the owner is empty afterwards.
    void reset()
    {
        if (name_ != 0) Kind::destroy(name_);
        name_ = 0;
    }

    // Names the object in debug output and GL debuggers. Keep labels short:
    // one longer than GL_MAX_LABEL_LENGTH is a GL error.
    void label(const char* text) const
    {
        if (name_ != 0) glObjectLabel(Kind::identifier, name_, -1, text);
    }

private:
    GLuint name_ = 0;
};

using GlBuffer = GlObject<gl_kind::Buffer>;
using GlTexture = GlObject<gl_kind::Texture>;
using GlVertexArray = GlObject<gl_kind::VertexArray>;
using GlFramebuffer = GlObject<gl_kind::Framebuffer>;
using GlRenderbuffer = GlObject<gl_kind::Renderbuffer>;
using GlProgram = GlObject<gl_kind::Program>;
using GlShaderStage = GlObject<gl_kind::ShaderStage>;
using GlQuery = GlObject<gl_kind::TimestampQuery>;
