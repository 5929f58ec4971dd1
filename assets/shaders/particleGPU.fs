#version 460 core
in vec2 TexCoords;
in float Life;

uniform sampler2D sprite;  // the particle image, unit 0

layout (location = 0) out vec4 FragColor;
layout (location = 1) out vec4 BrightColor;

const vec3 kSparkTint = vec3(0.35, 0.9, 1.0);  // cyan neon

void main()
{
    vec4 texel = texture(sprite, TexCoords);
    float alpha = texel.a * Life;
    if (alpha < 0.02) discard;  // empty sprite corners cost no blending
    // Overexposed so fresh sparks bloom; the glow fades with their life.
    vec3 color = pow(texel.rgb, vec3(2.2)) * kSparkTint * (1.0 + 2.0 * Life);
    FragColor = vec4(color, alpha);
    BrightColor = vec4(color, alpha);
}
