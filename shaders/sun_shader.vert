#version 330 core

in vec4 in_position;
in vec4 in_color;

uniform mat4 MVP;

out vec4 material_color;

void main() {
    gl_Position = MVP * in_position;
    material_color = in_color;
}
