#version 330 core

in vec2 in_position;
in vec2 in_uv;

out vec2 uv;

void main() {
    // On the near plane, so that the scene's depth never hides the display.
    gl_Position = vec4(in_position, -1.0, 1.0);
    uv = in_uv;
}
