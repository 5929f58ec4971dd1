#pragma once
#include <epoxy/gl.h>

#include <vector>

// An RGBA8 colour + depth framebuffer to draw into and read back, so pixel
// checks do not depend on a hidden window's default framebuffer.
class OffscreenTarget {
public:
    OffscreenTarget(int w, int h) : width(w), height(h)
    {
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glGenTextures(1, &colour);
        glBindTexture(GL_TEXTURE_2D, colour);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
        glGenRenderbuffers(1, &depth);
        glBindRenderbuffer(GL_RENDERBUFFER, depth);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, w, h);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
        glBindTexture(GL_TEXTURE_2D, 0);
        glViewport(0, 0, w, h);
        clear();
    }
    ~OffscreenTarget()
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteTextures(1, &colour);
        glDeleteRenderbuffers(1, &depth);
    }
    bool complete() const { return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE; }
    void clear() const
    {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    // RGBA bytes, rows from the bottom.
    std::vector<unsigned char> read() const
    {
        std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
    // Pixels in [x0, x1) × [y0, y1) whose red channel exceeds `threshold`.
    int litIn(const std::vector<unsigned char>& pixels, int x0, int y0, int x1, int y1, int threshold = 0) const
    {
        int lit = 0;
        for (int y = y0 < 0 ? 0 : y0; y < y1 && y < height; ++y)
            for (int x = x0 < 0 ? 0 : x0; x < x1 && x < width; ++x)
                if (pixels[(static_cast<size_t>(y) * width + x) * 4] > threshold) ++lit;
        return lit;
    }

    int width;
    int height;
    unsigned framebuffer = 0;
    unsigned colour = 0;
    unsigned depth = 0;
};
