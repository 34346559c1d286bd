#version 330 core

in vec4 material_color;

out vec4 out_color;

// A mesh without a material colour (alpha 0) still shows as a sun, not as a black hole.
const vec3 fallback = vec3(1.0, 0.8, 0.3);

void main() {
    out_color = vec4(mix(fallback, material_color.rgb, material_color.a), 1.0);
}
