#version 330 core

// planet_shader.vert for many bodies of one mesh in one instanced draw: the matrices and the
// transparency come with each instance instead of as uniforms.

in vec4 in_position;
in vec4 in_color;
in vec4 in_normal;
in vec4 in_texture_coords;
in mat4 instance_mvp;
in mat4 instance_tex_mat;
// The model matrix's first three rows; the fourth is always (0, 0, 0, 1).
in vec4 instance_model_x;
in vec4 instance_model_y;
in vec4 instance_model_z;
in float instance_transparency;

uniform mat4 V;

out vec3 world_normal;
out vec3 view_normal;
out vec3 view_position;
out vec2 uv;
out vec4 material_color;
out vec4 shadow_coord;
flat out float alpha;

void main() {
    gl_Position = instance_mvp * in_position;
    mat4 M = transpose(mat4(instance_model_x, instance_model_y, instance_model_z,
                            vec4(0.0, 0.0, 0.0, 1.0)));
    // Crowd members scale evenly, so the model matrix turns normals as its inverse transpose
    // would, only longer; the fragment stage normalizes them.
    world_normal = mat3(M) * in_normal.xyz;
    view_normal = mat3(V) * world_normal;
    view_position = (V * M * in_position).xyz;
    uv = in_texture_coords.xy;
    material_color = in_color;
    shadow_coord = instance_tex_mat * in_position;
    alpha = instance_transparency;
}
