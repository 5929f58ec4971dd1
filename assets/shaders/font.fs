#version 460 core
in vec2 TexCoords;

// The glyph bitmap is bound on unit 0, the sampler's default, and never set by name.
uniform sampler2D text;
uniform vec3 textColor;
// Below 1 the quad is see-through (the menu's panels); text leaves it at 1.
uniform float opacity = 1.0;

layout (location = 0) out vec4 FragColor;
// The HUD is drawn into the bloom target; a zero alpha leaves its bright part untouched.
layout (location = 1) out vec4 BrightColor;

void main()
{
    float coverage = texture(text, TexCoords).r;
    FragColor = vec4(textColor, coverage * opacity);
    BrightColor = vec4(0.0);
}
