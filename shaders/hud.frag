#version 330 core

in vec2 uv;

uniform sampler2D color_texture;
uniform vec3 color;

out vec4 out_color;

void main() {
    vec4 glyph = texture(color_texture, uv);
    // Coverage from the alpha channel; an atlas without alpha (white on black) gives its
    // brightness instead.
    float coverage = glyph.a * max(max(glyph.r, glyph.g), glyph.b);
    // Dropping the empty part of the cell keeps the text readable with blending off and keeps
    // it from writing depth around the glyphs.
    if (coverage < 0.1) {
        discard;
    }
    out_color = vec4(color, coverage);
}
