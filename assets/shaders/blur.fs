#version 460 core
in vec2 TexCoords;

uniform sampler2D image;
uniform int horizontal;

out vec4 FragColor;

// One half of a separable 9-tap Gaussian (sigma about 2 texels), weights
// 0.227027, 0.1945946, 0.1216216, 0.054054, 0.016216, read in five fetches:
// each pair of outer taps is fetched once, at the point between its two texels
// where linear filtering mixes them in the ratio of their weights.
const float kWeights[3] = float[](0.227027, 0.3162162, 0.0702703);
const float kOffsets[3] = float[](0.0, 1.3846154, 3.2307692);

void main()
{
    vec2 texel = 1.0 / vec2(textureSize(image, 0));
    vec2 step = horizontal != 0 ? vec2(texel.x, 0.0) : vec2(0.0, texel.y);
    vec3 result = texture(image, TexCoords).rgb * kWeights[0];
    for (int i = 1; i < 3; ++i) {
        result += texture(image, TexCoords + step * kOffsets[i]).rgb * kWeights[i];
        result += texture(image, TexCoords - step * kOffsets[i]).rgb * kWeights[i];
    }
    // Opaque so the pass replaces its target even with blending on.
    FragColor = vec4(result, 1.0);
}
