#version 460 core
layout (points) in;
layout (triangle_strip, max_vertices = 4) out;

uniform mat4 ProjectionMatrix;

in float vLife[];

out vec2 TexCoords;
out float Life;

const float kHalfSize = 0.22;

// Expands the particle into a square that always faces the camera: the corners
// are offset in view space, where the camera looks straight down -z.
void main()
{
    float life = vLife[0];
    // Sparks shrink a little as they burn out.
    float halfSize = kHalfSize * (0.5 + 0.5 * life);
    vec4 centre = gl_in[0].gl_Position;
    const vec2 corners[4] = vec2[](vec2(-1.0, -1.0), vec2(1.0, -1.0), vec2(-1.0, 1.0), vec2(1.0, 1.0));
    for (int i = 0; i < 4; ++i) {
        gl_Position = ProjectionMatrix * (centre + vec4(corners[i] * halfSize, 0.0, 0.0));
        TexCoords = corners[i] * 0.5 + 0.5;
        Life = life;
        EmitVertex();
    }
    EndPrimitive();
}
