#version 460 core
// Plain point sprites for CPU-side particles: built at start-up, kept as a fallback.
layout (location = 0) in vec4 aPos;

uniform mat4 projection;
uniform mat4 view;
uniform mat4 model;

void main()
{
    gl_Position = projection * view * model * vec4(aPos.xyz, 1.0);
}
