#version 330 core

in vec4 in_position;

uniform mat4 MVP;

void main() {
    gl_Position = MVP * in_position;
}
