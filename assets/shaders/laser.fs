#version 460 core
in vec2 TexCoords;
in vec3 WorldPos;

uniform sampler2D laserTexture;  // the current laser frame, unit 0
uniform float vaultrise;         // height the void has risen to

layout (location = 0) out vec4 FragColor;
layout (location = 1) out vec4 BrightColor;

const vec3 kVoidTint = vec3(1.0, 0.12, 0.55);  // hot magenta

void main()
{
    vec3 frame = pow(texture(laserTexture, TexCoords).rgb, vec3(2.2));
    // Scan bands sweep across the slab; they run faster and burn brighter the
    // higher the void has climbed, so the threat reads at a glance.
    float climb = clamp(vaultrise / 60.0, 0.0, 1.0);
    float bands = 0.5 + 0.5 * sin(WorldPos.x * 0.35 + WorldPos.z * 0.2 - vaultrise * (3.0 + 6.0 * climb));
    float intensity = 1.2 + 1.3 * climb + 0.8 * bands;
    // The frame's own strokes carry the light; the tint only keeps the dark
    // parts of the slab a deep glowing magenta instead of black.
    vec3 color = frame * intensity + kVoidTint * (0.06 + 0.08 * bands) * (1.0 + climb);

    FragColor = vec4(color, 1.0);
    // The void is a light source: its whole overexposed part feeds the glow.
    float luminance = dot(color, vec3(0.2126, 0.7152, 0.0722));
    BrightColor = vec4(color * smoothstep(0.8, 1.2, luminance), 1.0);
}
