#include "render/Bloom.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "render/Shader.h"

namespace {

// A float colour target: RGBA16F keeps values above 1 for the bright pass, and
// clamp-to-edge stops the blur from wrapping light across the screen borders.
void allocateFloatTexture(unsigned texture, int width, int height)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16F, width, height, 0, GL_RGBA, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

}  // namespace

void Bloom::createTargets(int targetWidth, int targetHeight, float blurScale, std::ostream& log)
{
    width = targetWidth;
    height = targetHeight;
    blurWidth = std::max(1, static_cast<int>(std::lround(width * blurScale)));
    blurHeight = std::max(1, static_cast<int>(std::lround(height * blurScale)));
    setOutputSize(width, height);

    hdrFramebuffer = GlFramebuffer::create();
    hdrFramebuffer.label("bloom scene target");
    glBindFramebuffer(GL_FRAMEBUFFER, hdrFramebuffer);
    for (int i = 0; i < 2; ++i) {
        colorBuffers[i] = GlTexture::create();
        colorBuffers[i].label(i == 0 ? "bloom scene colour" : "bloom bright part");
        allocateFloatTexture(colorBuffers[i], width, height);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + i, GL_TEXTURE_2D, colorBuffers[i], 0);
    }
    depthRenderbuffer = GlRenderbuffer::create();
    glBindRenderbuffer(GL_RENDERBUFFER, depthRenderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthRenderbuffer);
    const GLenum attachments[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, attachments);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        log << "Framebuffer not complete!" << "\n";
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    for (int i = 0; i < 2; ++i) {
        pingpongFramebuffers[i] = GlFramebuffer::create();
        pingpongColorbuffers[i] = GlTexture::create();
        pingpongColorbuffers[i].label(i == 0 ? "bloom blur 0" : "bloom blur 1");
        glBindFramebuffer(GL_FRAMEBUFFER, pingpongFramebuffers[i]);
        allocateFloatTexture(pingpongColorbuffers[i], blurWidth, blurHeight);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, pingpongColorbuffers[i], 0);
    }
}

void Bloom::setupSamplers(const Shader& bloom, const Shader& blur, const Shader& bloomFinal)
{
    bloom.use();
    bloom.setInt("diffuseTexture", 0);
    blur.use();
    blur.setInt("image", 0);
    bloomFinal.use();
    bloomFinal.setInt("scene", 0);
    bloomFinal.setInt("bloomBlur", 1);
}

void Bloom::setOutputSize(int w, int h)
{
    outputWidth = w;
    outputHeight = h;
}

void Bloom::beginFrame() const
{
    glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, hdrFramebuffer);
    // The viewport belongs to the last composite, sized for the window: every
    // off-screen pass draws the whole target instead.
    glViewport(0, 0, width, height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Bloom::blurBrightPart(const Shader& blur)
{
    horizontal = true;
    bool first = true;
    blur.use();
    // The blur samples unit 0, the one the blur program's "image" names; the
    // previous composite left unit 1 active.
    glActiveTexture(GL_TEXTURE0);
    // The blur targets can be smaller than the scene's; each pass draws one whole.
    glViewport(0, 0, blurWidth, blurHeight);
    for (int pass = 0; pass < blurPasses; ++pass) {
        // Each pass writes the framebuffer the next pass reads from.
        glBindFramebuffer(GL_FRAMEBUFFER, pingpongFramebuffers[horizontal ? 1 : 0]);
        blur.setInt("horizontal", horizontal ? 1 : 0);
        glBindTexture(GL_TEXTURE_2D, first ? colorBuffers[1] : pingpongColorbuffers[horizontal ? 0 : 1]);
        drawScreenQuad();
        horizontal = !horizontal;
        first = false;
    }
}

void Bloom::composite(const Shader& bloomFinal)
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    // The quad's texture coordinates span the whole target, so a viewport on
    // the whole framebuffer scales the picture to the window.
    glViewport(0, 0, outputWidth, outputHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    bloomFinal.use();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, colorBuffers[0]);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, blurResultTexture());
    bloomFinal.setInt("bloom", 1);
    bloomFinal.setFloat("exposure", 1.0f);
    drawScreenQuad();
}

void Bloom::blurAndComposite(const Shader& blur, const Shader& bloomFinal)
{
    blurBrightPart(blur);
    composite(bloomFinal);
}

void Bloom::drawScreenQuad()
{
    if (quadVao.get() == 0) {
        // x, y, z, u, v
        const float vertices[] = {
            -1.0f, 1.0f, 0.0f, 0.0f, 1.0f,
            -1.0f, -1.0f, 0.0f, 0.0f, 0.0f,
            1.0f, 1.0f, 0.0f, 1.0f, 1.0f,
            1.0f, -1.0f, 0.0f, 1.0f, 0.0f,
        };
        quadVao = GlVertexArray::create();
        quadVbo = GlBuffer::create();
        glBindVertexArray(quadVao);
        glBindBuffer(GL_ARRAY_BUFFER, quadVbo);
        glBufferData(GL_ARRAY_BUFFER, sizeof(vertices), vertices, GL_STATIC_DRAW);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 5 * sizeof(float), reinterpret_cast<void*>(0));
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 5 * sizeof(float), reinterpret_cast<void*>(3 * sizeof(float)));
    }
    glBindVertexArray(quadVao);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glBindVertexArray(0);
}
