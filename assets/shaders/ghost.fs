#version 460 core
// The raced ghost: the astronaut's own surfaces, washed pale blue and drawn
// see-through over the finished opaque scene. It adds nothing to the glow.
in vec2 TexCoords;
in vec3 Normal;

uniform sampler2D texture_diffuse1;
uniform float opacity;

layout (location = 0) out vec4 FragColor;
layout (location = 1) out vec4 BrightColor;

void main()
{
    vec3 albedo = pow(texture(texture_diffuse1, TexCoords).rgb, vec3(2.2));
    float key = 0.9 + 0.25 * max(dot(normalize(Normal), normalize(vec3(0.3, 1.0, 0.5))), 0.0);
    vec3 color = mix(albedo * key, vec3(0.45, 0.75, 1.0), 0.55);
    FragColor = vec4(color, opacity);
    // Blended with this alpha of 0 the glow target keeps what lies behind.
    BrightColor = vec4(0.0);
}
