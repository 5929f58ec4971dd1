#version 460 core
in vec2 TexCoords;
in vec3 Normal;

// First diffuse map of a mesh; for a box its texture on unit 0 (the default).
uniform sampler2D texture_diffuse1;

layout (location = 0) out vec4 FragColor;
layout (location = 1) out vec4 BrightColor;

void main()
{
    vec4 texel = texture(texture_diffuse1, TexCoords);
    vec3 albedo = pow(texel.rgb, vec3(2.2));
    // Unlit objects get a soft key from above so their shape still reads; the
    // base stays near 1 so screens and confetti keep their colours past the
    // tone curve's toe.
    float key = 0.9 + 0.25 * max(dot(normalize(Normal), normalize(vec3(0.3, 1.0, 0.5))), 0.0);
    vec3 color = albedo * key;

    FragColor = vec4(color, 1.0);
    float luminance = dot(color, vec3(0.2126, 0.7152, 0.0722));
    BrightColor = vec4(luminance > 1.0 ? color : vec3(0.0), 1.0);
}
