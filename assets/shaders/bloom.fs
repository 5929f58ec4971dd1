#version 460 core
layout (location = 0) out vec4 FragColor;
layout (location = 1) out vec4 BrightColor;

in VS_OUT {
    vec3 FragPos;
    vec3 Normal;
    vec2 TexCoords;
} fs_in;

struct Light {
    vec3 Position;
    vec3 Color;
};

uniform Light lights[4];  // only lights[0] (at the player) is ever set
uniform sampler2D diffuseTexture;
uniform vec3 viewPos;

const float kAmbient = 0.12;
// Softens the inverse-square fall-off near the light so a brightness of 200
// gives about 4x near the player, about 1 at 13 units and 0.3 at 25 units.
const float kFalloffCore = 50.0;
const float kStrokeLuminance = 1.6;

void main()
{
    vec3 albedo = pow(texture(diffuseTexture, fs_in.TexCoords).rgb, vec3(2.2));
    vec3 normal = normalize(fs_in.Normal);
    vec3 viewDir = normalize(viewPos - fs_in.FragPos);

    vec3 lighting = kAmbient * albedo;
    vec3 toLight = lights[0].Position - fs_in.FragPos;
    float distanceSquared = dot(toLight, toLight);
    vec3 lightDir = toLight * inversesqrt(max(distanceSquared, 1e-6));
    vec3 radiance = lights[0].Color / (distanceSquared + kFalloffCore);
    float diffuse = max(dot(lightDir, normal), 0.0);
    float specular = pow(max(dot(normal, normalize(lightDir + viewDir)), 0.0), 48.0);
    lighting += radiance * (diffuse * albedo + 0.25 * specular);

    // Neon strokes in the textures emit on their own. A stroke is a texel with
    // a strong channel (so saturated magenta counts as much as white); its
    // emission is scaled to a fixed luminance above the bright-pass threshold,
    // so strokes of every hue glow alike while dark texture areas stay dark.
    float texelPeak = max(albedo.r, max(albedo.g, albedo.b));
    float texelLuminance = dot(albedo, vec3(0.2126, 0.7152, 0.0722));
    float stroke = smoothstep(0.55, 0.95, texelPeak);
    lighting += albedo * (kStrokeLuminance / max(texelLuminance, 0.12)) * stroke;

    FragColor = vec4(lighting, 1.0);
    float luminance = dot(lighting, vec3(0.2126, 0.7152, 0.0722));
    // Soft knee over [1.0, 1.25] so glowing edges do not pop in and out.
    BrightColor = vec4(lighting * smoothstep(1.0, 1.25, luminance), 1.0);
}
