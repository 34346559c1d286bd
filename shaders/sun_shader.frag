#version 330 core

in vec4 material_color;

out vec4 out_color;

// A mesh without a material colour (alpha 0) still shows as a sun, not as a black hole.
const vec3 fallback = vec3(1.0, 0.8, 0.3);

// The material colour is authored as an sRGB value, like the textures; the framebuffer takes
// what we write as linear light and encodes it again on the way out.
vec3 linear_from_srgb(vec3 c) {
    return mix(c / 12.92, pow((c + 0.055) / 1.055, vec3(2.4)), step(vec3(0.04045), c));
}

void main() {
    out_color = vec4(linear_from_srgb(mix(fallback, material_color.rgb, material_color.a)), 1.0);
}
