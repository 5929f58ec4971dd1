#version 460 core
layout (location = 0) in vec3 aPos;
layout (location = 1) in vec3 aNormal;
layout (location = 2) in vec2 aTexCoords;
layout (location = 3) in vec3 aTangent;
layout (location = 4) in vec3 aBitangent;

uniform mat4 projection;
uniform mat4 view;
uniform mat4 model;
uniform float tick;  // frames since start
uniform float dT;    // duration of the current frame in seconds

out vec2 TexCoords;
out float Shade;

// The cloth hangs in the model's xy plane and its texture u runs from the pole
// (u = 0) to the free edge (u = 1): the amplitude grows with u, so the pole and
// the hoisted edge stay still while the free end flaps the most.
const float kAmplitude = 0.35;
const float kWaveLength = 2.2;    // waves across the cloth, in radians per unit u
const float kWaveSpeed = 0.09;    // radians per frame, a calm breeze at 60 fps

void main()
{
    float reach = clamp(aTexCoords.x, 0.0, 1.0);
    float phase = tick * kWaveSpeed - reach * kWaveLength * 3.14159265;
    // A long frame lets the wind gust a little: a small ripple on top of the
    // main wave, bounded so hitches do not tear the cloth.
    float gust = 0.15 * clamp(dT * 60.0, 0.0, 2.0);
    float wave = sin(phase) + gust * sin(2.7 * phase + aTexCoords.y * 4.0);
    vec3 displaced = aPos + vec3(0.0, 0.0, kAmplitude * reach * reach * wave);

    // Slopes of the wave darken, crests lighten: cheap folds without new normals.
    Shade = 0.8 + 0.2 * cos(phase) * reach;
    TexCoords = aTexCoords;
    gl_Position = projection * view * model * vec4(displaced, 1.0);
}
