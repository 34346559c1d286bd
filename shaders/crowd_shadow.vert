#version 330 core

// shadow_shader.vert with the light's matrix times the model matrix given per instance.

in vec4 in_position;
in mat4 instance_mvp;

void main() {
    gl_Position = instance_mvp * in_position;
}
