#version 460 core
in vec2 TexCoords;

uniform sampler2D image;
uniform int horizontal;

out vec4 FragColor;

// One half of a separable 9-tap Gaussian (sigma about 2 texels).
const float kWeights[5] = float[](0.227027, 0.1945946, 0.1216216, 0.054054, 0.016216);

void main()
{
    vec2 texel = 1.0 / vec2(textureSize(image, 0));
    vec2 step = horizontal != 0 ? vec2(texel.x, 0.0) : vec2(0.0, texel.y);
    vec3 result = texture(image, TexCoords).rgb * kWeights[0];
    for (int i = 1; i < 5; ++i) {
        result += texture(image, TexCoords + step * float(i)).rgb * kWeights[i];
        result += texture(image, TexCoords - step * float(i)).rgb * kWeights[i];
    }
    // Opaque so the pass replaces its target even with blending on.
    FragColor = vec4(result, 1.0);
}
