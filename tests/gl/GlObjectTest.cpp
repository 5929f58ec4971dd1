#include <epoxy/gl.h>

#include <type_traits>

#include "render/Bloom.h"
#include "render/HUD.h"
#include "render/Model.h"
#include "render/ParticleBursts.h"
#include "support/GlTest.h"

// Everything that holds GL names moves but never copies, so no two holders
// ever delete one name; a temporary owner cannot hand out its doomed name.
template <class T>
constexpr bool kMoveOnly = !std::is_copy_constructible_v<T> && !std::is_copy_assignable_v<T> &&
                           std::is_nothrow_move_constructible_v<T> && std::is_nothrow_move_assignable_v<T>;
static_assert(kMoveOnly<GlBuffer> && kMoveOnly<Shader> && kMoveOnly<Mesh> && kMoveOnly<Model> &&
              kMoveOnly<ParticleSystem> && kMoveOnly<ParticleBursts> && kMoveOnly<Bloom>);
static_assert(!std::is_copy_constructible_v<HUD>);
static_assert(std::is_convertible_v<GlTexture&, GLuint> && !std::is_convertible_v<GlTexture&&, GLuint>);

namespace {

// The object exists while one owner holds it, survives the death of a
// moved-from owner, and is gone once its last owner dies or takes another.
template <class Kind, class Exists>
void expectSingleOwnership(Exists exists)
{
    GLuint name = 0;
    {
        GlObject<Kind> last;
        {
            GlObject<Kind> first = GlObject<Kind>::create();
            name = first;
            ASSERT_NE(name, 0u);
            first.label("owner test");
            last = std::move(first);
            EXPECT_EQ(first.get(), 0u);
        }
        EXPECT_TRUE(exists(name)) << "a moved-from owner released the name";
        EXPECT_EQ(last.get(), name);
        last = GlObject<Kind>::create();
        EXPECT_FALSE(exists(name)) << "moving a new object in deletes the old one";
        name = last;
    }
    EXPECT_FALSE(exists(name)) << "the destructor deletes the name";
}

}  // namespace

using GlObjectTest = GlTest;

TEST_F(GlObjectTest, OneOwnerDeletesEachKindOfObjectOnce)
{
    expectSingleOwnership<gl_kind::Buffer>([](GLuint n) { return glIsBuffer(n); });
    expectSingleOwnership<gl_kind::Texture>([](GLuint n) { return glIsTexture(n); });
    expectSingleOwnership<gl_kind::VertexArray>([](GLuint n) { return glIsVertexArray(n); });
    expectSingleOwnership<gl_kind::Framebuffer>([](GLuint n) { return glIsFramebuffer(n); });
    expectSingleOwnership<gl_kind::Renderbuffer>([](GLuint n) { return glIsRenderbuffer(n); });
    expectSingleOwnership<gl_kind::Program>([](GLuint n) { return glIsProgram(n); });
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "labels and deletions raised no GL error";
}

TEST_F(GlObjectTest, AShaderDeletesItsProgramsWhenItsLastOwnerDies)
{
    GLuint program = 0, compute = 0;
    {
        Shader moved = particleShader();
        program = moved.id;
        compute = moved.computeId;
        const Shader kept = std::move(moved);
        EXPECT_EQ(moved.id.get(), 0u);
        EXPECT_TRUE(glIsProgram(program) && glIsProgram(compute));
    }
    EXPECT_FALSE(glIsProgram(program) || glIsProgram(compute));
}
