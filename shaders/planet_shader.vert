#version 330 core

in vec4 in_position;
in vec4 in_color;
in vec4 in_normal;
in vec4 in_texture_coords;

uniform mat4 MVP;
uniform mat4 M;
uniform mat4 V;
uniform mat4 tex_mat;
uniform float transparency;

out vec3 world_normal;
out vec3 view_normal;
out vec3 view_position;
out vec2 uv;
out vec4 material_color;
out vec4 shadow_coord;
flat out float alpha;

void main() {
    gl_Position = MVP * in_position;
    // The inverse transpose keeps normals perpendicular under non-uniform scales.
    mat3 normal_matrix = transpose(inverse(mat3(M)));
    world_normal = normal_matrix * in_normal.xyz;
    view_normal = mat3(V) * world_normal;
    view_position = (V * M * in_position).xyz;
    uv = in_texture_coords.xy;
    material_color = in_color;
    shadow_coord = tex_mat * in_position;
    alpha = transparency;
}
