#include <epoxy/gl.h>

#include <type_traits>

#include "render/Bloom.h"
#include "render/HUD.h"
#include "render/Model.h"
#include "render/ParticleBursts.h"
#include "support/GlTest.h"

// Holders of GL names move but never copy, so no two of them delete one name;
// a temporary owner cannot hand out its name, which dies with it.
template <class T>
constexpr bool kMoveOnly = !std::is_copy_constructible_v<T> && !std::is_copy_assignable_v<T> &&
                           std::is_nothrow_move_constructible_v<T> && std::is_nothrow_move_assignable_v<T>;
static_assert(kMoveOnly<GlBuffer> && kMoveOnly<Shader> && kMoveOnly<Mesh> && kMoveOnly<Model> &&
              kMoveOnly<ParticleSystem> && kMoveOnly<ParticleBursts> && kMoveOnly<Bloom> && !std::is_copy_constructible_v<HUD>);
static_assert(std::is_convertible_v<GlTexture&, GLuint> && !std::is_convertible_v<GlTexture&&, GLuint>);

// The object outlives a moved-from owner; it goes when its owner takes
// another object, and that one when its owner dies.
template <class Kind, class Exists>
void expectSingleOwnership(Exists exists)
{
    GlObject<Kind> last;
    GLuint name = 0;
    {
        GlObject<Kind> first = GlObject<Kind>::create();
        first.label("owner test");
        name = first;
        last = std::move(first);
        EXPECT_EQ(first.get(), 0u);
    }
    EXPECT_TRUE(name != 0 && exists(name)) << "a moved-from owner released the name";
    last = GlObject<Kind>::create();
    EXPECT_FALSE(exists(name)) << "moving another object in deletes the old one";
    name = last;
    { const GlObject<Kind> dying = std::move(last); }
    EXPECT_FALSE(exists(name)) << "the destructor deletes the name";
}

using GlObjectTest = GlTest;

TEST_F(GlObjectTest, OneOwnerDeletesEachKindOfObjectOnce)
{
    expectSingleOwnership<gl_kind::Buffer>([](GLuint n) { return glIsBuffer(n); });
    expectSingleOwnership<gl_kind::Texture>([](GLuint n) { return glIsTexture(n); });
    expectSingleOwnership<gl_kind::VertexArray>([](GLuint n) { return glIsVertexArray(n); });
    expectSingleOwnership<gl_kind::Framebuffer>([](GLuint n) { return glIsFramebuffer(n); });
    expectSingleOwnership<gl_kind::Renderbuffer>([](GLuint n) { return glIsRenderbuffer(n); });
    expectSingleOwnership<gl_kind::Program>([](GLuint n) { return glIsProgram(n); });
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // A shader is such an owner for both of its programs.
    Shader shader = gameShader("particleGPU");
    const GLuint programs[2] = {shader.id, shader.computeId};
    { const Shader moved = std::move(shader); }
    EXPECT_FALSE(glIsProgram(programs[0]) || glIsProgram(programs[1]));
}
