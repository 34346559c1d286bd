#version 330 core

in vec2 uv;

uniform sampler2D color_texture;
uniform vec3 color;

out vec4 out_color;

// The display's colours are authored as sRGB values, like the textures; the framebuffer takes
// what we write as linear light and encodes it again on the way out.
vec3 linear_from_srgb(vec3 c) {
    return mix(c / 12.92, pow((c + 0.055) / 1.055, vec3(2.4)), step(vec3(0.04045), c));
}

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
    out_color = vec4(linear_from_srgb(color), coverage);
}
