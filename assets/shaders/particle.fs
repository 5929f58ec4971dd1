#version 460 core
uniform sampler2D sprite;

layout (location = 0) out vec4 FragColor;
layout (location = 1) out vec4 BrightColor;

void main()
{
    vec4 texel = texture(sprite, gl_PointCoord);
    FragColor = texel;
    BrightColor = vec4(0.0);
}
