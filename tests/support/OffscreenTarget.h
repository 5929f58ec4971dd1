#pragma once
#include <epoxy/gl.h>

#include <vector>

#include "render/GlObject.h"

// An RGBA8 colour + depth framebuffer, bound for drawing while it lives (its
// deletion unbinds it), so pixel checks do not depend on a hidden window's
// default framebuffer.
struct OffscreenTarget {
    OffscreenTarget(int width, int height)
    {
        glTextureStorage2D(colour, 1, GL_RGBA8, width, height);
        glNamedFramebufferTexture(framebuffer, GL_COLOR_ATTACHMENT0, colour, 0);
        glNamedRenderbufferStorage(depth, GL_DEPTH_COMPONENT24, width, height);
        glNamedFramebufferRenderbuffer(framebuffer, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glViewport(0, 0, width, height);
        clear();
    }
    void clear() const
    {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    // Pixels in [x0, x1) × [y0, y1) with any red.
    int lit(int x0, int y0, int x1, int y1) const
    {
        std::vector<unsigned char> pixels(static_cast<size_t>(x1 - x0) * (y1 - y0) * 4);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
        glReadPixels(x0, y0, x1 - x0, y1 - y0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        int count = 0;
        for (size_t i = 0; i < pixels.size(); i += 4) count += pixels[i] > 0 ? 1 : 0;
        return count;
    }

    GlFramebuffer framebuffer = GlFramebuffer::create();
    GlTexture colour = GlTexture::create();
    GlRenderbuffer depth = GlRenderbuffer::create();
};
