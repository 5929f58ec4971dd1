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

// The flag model is a pole (a lathe around +y, with its foot plate and ball)
// and a cloth hanging from it in the model's z = 0 plane, facing +z, from the
// pole's surface at x = 0.12 out to x = 6.12. Only the cloth moves: a vertex
// belongs to it when its normal is +z and it lies in that plane (the pole's
// +z-facing vertices sit 0.12 or more off the plane). The texture's u cannot
// tell them apart: on the pole it runs around the circumference. The amplitude
// grows with the distance from the pole, so the hoisted edge stays attached
// while the free end flaps the most.
const float kPoleRadius = 0.12;
const float kClothWidth = 6.0;
const float kAmplitude = 0.35;
const float kWaveLength = 2.2;    // waves across the cloth, in radians per unit of reach
const float kWaveSpeed = 0.09;    // radians per frame, a calm breeze at 60 fps

float clothReach()
{
    bool cloth = aNormal.z > 0.999 && abs(aPos.z) < 0.001;
    return cloth ? clamp((aPos.x - kPoleRadius) / kClothWidth, 0.0, 1.0) : 0.0;
}

void main()
{
    float reach = clothReach();
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
