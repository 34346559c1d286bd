#pragma once

struct DisplayChanges;
struct LoopState;

// The global GL state, set once after the context exists: sRGB framebuffer, depth test, face
// culling and alpha blending. Discards the one error GLEW's start-up may leave.
void setGlobalGlState();

// Applies what the frame's F3 and F9 presses changed: polygon mode and blending.
void applyDisplayChanges(const DisplayChanges& changes, const LoopState& state);
