#version 460 core
in vec2 TexCoords;

uniform sampler2D scene;
uniform sampler2D bloomBlur;
uniform int bloom;
uniform float exposure;

out vec4 FragColor;

const float kGamma = 2.2;

void main()
{
    vec3 hdrColor = texture(scene, TexCoords).rgb;
    if (bloom != 0) hdrColor += texture(bloomBlur, TexCoords).rgb;
    // Exposure tone mapping keeps dark tones linear and rolls highlights off.
    vec3 mapped = vec3(1.0) - exp(-hdrColor * exposure);
    FragColor = vec4(pow(mapped, vec3(1.0 / kGamma)), 1.0);
}
