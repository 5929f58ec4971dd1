#version 460 core
in vec2 TexCoords;

uniform sampler2D scene;
uniform sampler2D bloomBlur;
uniform int bloom;
uniform float exposure;

out vec4 FragColor;

const float kGamma = 2.2;
// Filmic response in two factors. The shoulder, 1 - exp(-x), rolls bright
// neon smoothly towards white instead of clipping it. The toe, x^3 / (x^3 +
// t^3), fades tones well below t to black: without it the empty void (clear
// colour 0.1 plus its own 0.1 of glow) would come out a washed-out grey after
// gamma, while from about 2t up it leaves colours nearly as they were.
const float kToe = 0.36;

vec3 filmic(vec3 x)
{
    x = max(x, vec3(0.0));
    vec3 cubed = x * x * x;
    vec3 toe = cubed / (cubed + kToe * kToe * kToe);
    return (vec3(1.0) - exp(-x)) * toe;
}

void main()
{
    vec3 hdrColor = texture(scene, TexCoords).rgb;
    if (bloom != 0) hdrColor += texture(bloomBlur, TexCoords).rgb;
    vec3 mapped = filmic(hdrColor * exposure);
    FragColor = vec4(pow(mapped, vec3(1.0 / kGamma)), 1.0);
}
