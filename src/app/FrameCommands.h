#pragma once

#include <glm/glm.hpp>

#include "app/FrameInput.h"

// Which of the pointer and the right stick aims the character: whichever moved last. Kept from
// frame to frame, so that letting the stick go keeps its facing until the pointer moves.
struct Aim {
    bool stick = false;
    float stickAngle = 0.0f;    // degrees, where the stick last pointed
    int mouseX = 0, mouseY = 0; // the pointer as last seen
};

// What one frame's keyboard, mouse and gamepad ask of the player and the camera.
struct FrameCommands {
    // Walking speed each way as a share of the full 20 degrees a second, 0 to 1; the calls are
    // made in the keyboard's order W, D, A, S.
    float forward = 0.0f, right = 0.0f, left = 0.0f, backward = 0.0f;
    bool zoomIn = false, zoomOut = false;
    bool punch = false;
    bool superPunch = false; // asked for and the cool-down has run out
    float facing = 0.0f;     // degrees: 0 to the right, +90 downwards
    Aim aim;                 // the aim for the next frame
};

// The stick's deflection beyond a radial dead zone, rescaled so that the zone's edge gives 0
// and full deflection 1, in the stick's own direction.
glm::vec2 beyondDeadZone(glm::vec2 stick, float zone);

// The frame's commands from one snapshot, the aim of the previous frame, the super punch's
// cool-down in seconds and the window size in pixels.
FrameCommands frameCommands(const FrameInput& in, const Aim& aim, float superPunchCooldown,
                            int width, int height);

// The click (or Start) that leaves the start screen, even one already released again.
bool startRequested(const FrameInput& in);
// Escape or the gamepad's Back.
bool quitRequested(const FrameInput& in);
