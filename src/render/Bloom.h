#pragma once
#include <iosfwd>

#include "render/GlObject.h"

class Shader;

// The floating-point scene target with its bright-part twin, the two ping-pong
// targets of the blur, and the per-frame passes around the scene: the scene is
// drawn into `hdrFramebuffer`, its bright part is blurred, and the sum is tone
// mapped into the window. All targets keep the size given at creation; the
// composite stretches them over the window's framebuffer, whatever its size.
// The targets and the quad are owned here: moved, never copied.
class Bloom {
public:
    static constexpr int kBlurPasses = 10;  // the game's own bloom; the settings may lower it

    Bloom() = default;
    Bloom(const Bloom&) = delete;
    Bloom& operator=(const Bloom&) = delete;
    Bloom(Bloom&&) noexcept = default;
    Bloom& operator=(Bloom&&) noexcept = default;

    // Builds the three framebuffers (again at a new size: the old ones are
    // freed); prints "Framebuffer not complete!" when the scene target cannot
    // be drawn to. Leaves ping-pong framebuffer 1 bound.
    // The blur targets are `blurScale` times the scene's size (at least 1 × 1).
    void createTargets(int width, int height, float blurScale, std::ostream& log);
    // Fixed sampler units: bloom "diffuseTexture" 0, blur "image" 0,
    // bloom_final "scene" 0 and "bloomBlur" 1. Leaves bloomFinal current.
    static void setupSamplers(const Shader& bloom, const Shader& blur, const Shader& bloomFinal);

    // The window's framebuffer in pixels, which the composite fills; the
    // targets' own size until told otherwise.
    void setOutputSize(int outputWidth, int outputHeight);

    // Clears the window, then binds and clears the scene target for drawing,
    // with the viewport on the whole target.
    void beginFrame() const;
    // `blurPasses` alternating passes starting horizontal; the first reads
    // colorBuffers[1]; each pass draws over a whole blur target.
    void blurBrightPart(const Shader& blur);
    // Scene (unit 0) plus the last blur result (unit 1) tone-mapped into the
    // default framebuffer over the whole output size; unit 1 stays active.
    void composite(const Shader& bloomFinal);
    // The end of every frame: blurBrightPart, then composite.
    void blurAndComposite(const Shader& blur, const Shader& bloomFinal);

    // The full-screen quad (clip-space positions at z = 0, texture
    // coordinates) as a 4-vertex triangle strip; built on the first call.
    void drawScreenQuad();

    // Which entry of pingpongColorbuffers holds the latest blur result
    // (0 after an even number of passes), and the texture the composite adds:
    // that result, or the bright part itself when no pass runs.
    int blurResultIndex() const { return horizontal ? 0 : 1; }
    unsigned blurResultTexture() const
    {
        return blurPasses > 0 ? pingpongColorbuffers[blurResultIndex()].get() : colorBuffers[1].get();
    }

    GlFramebuffer hdrFramebuffer;
    GlTexture colorBuffers[2];  // 0: lit scene, 1: its bright part
    GlRenderbuffer depthRenderbuffer;
    GlFramebuffer pingpongFramebuffers[2];
    GlTexture pingpongColorbuffers[2];
    // Direction of the next blur pass; true again after an even number of passes.
    bool horizontal = true;
    int width = 0;
    int height = 0;
    int blurWidth = 0;  // the ping-pong targets' size
    int blurHeight = 0;
    int blurPasses = kBlurPasses;
    int outputWidth = 0;
    int outputHeight = 0;
    GlVertexArray quadVao;  // empty until the quad is first drawn
    GlBuffer quadVbo;
};
