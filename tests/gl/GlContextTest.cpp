#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include "support/GlTestWindow.h"

TEST(GlContext, HiddenWindowGivesA46CoreContext)
{
    GlTestWindow window;
    ASSERT_TRUE(window.ok()) << "no 4.6 context: are MESA_GL_VERSION_OVERRIDE and MESA_GLSL_VERSION_OVERRIDE set?";
    EXPECT_GE(epoxy_gl_version(), 46);
}
