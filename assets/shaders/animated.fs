#version 460 core
in vec2 TexCoords;
in float Shade;

// The flag texture is bound on unit 0; the mesh's own diffuse map, when it has
// one, is set to unit 0 as well by the model draw.
uniform sampler2D texture_diffuse1;

layout (location = 0) out vec4 FragColor;
layout (location = 1) out vec4 BrightColor;

void main()
{
    vec4 texel = texture(texture_diffuse1, TexCoords);
    vec3 color = pow(texel.rgb, vec3(2.2)) * Shade;
    FragColor = vec4(color, 1.0);
    float luminance = dot(color, vec3(0.2126, 0.7152, 0.0722));
    BrightColor = vec4(luminance > 1.0 ? color : vec3(0.0), 1.0);
}
