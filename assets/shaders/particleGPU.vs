#version 460 core
// xyz is the particle's world position, w the share of its life still left
// (1 when spawned, falling to 0 as the compute stage ages it).
layout (location = 0) in vec4 aPos;

uniform mat4 view;
uniform mat4 model;

out float vLife;

void main()
{
    vLife = clamp(aPos.w, 0.0, 1.0);
    gl_Position = view * model * vec4(aPos.xyz, 1.0);  // view space; the geometry stage projects
}
