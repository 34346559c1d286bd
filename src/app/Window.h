#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "app/FrameInput.h"
#include "app/InputEvents.h"
#include "app/Screen.h"

struct GLFWwindow;

// The name that the active keyboard layout gives a printable key, or null (glfwGetKeyName).
using KeyNameFunction = std::function<const char*(int key)>;

// The main-keyboard key that types `c` without Shift on the active layout, found by scanning
// the printable keys; the keypad is never chosen. Where no key types it unshifted, the key
// that carries it on a US layout (+ on the = key, - on the minus key).
int findKeyTyping(char c, const KeyNameFunction& keyName);

// A rectangle on the desktop, in screen coordinates.
struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// Which monitor a window is on: the one it overlaps most, else the first (the primary).
int monitorUnder(const ScreenRect& window, const std::vector<ScreenRect>& monitors);

// The one wrapper over GLFW: window and GL 3.3 core context, keys, buttons, pointer, clock,
// swap with event processing. Nothing else in the game calls GLFW's window functions.
class Window : public Screen {
  public:
    // Initialises GLFW and opens the window with a 24-bit depth and 8-bit stencil buffer,
    // fullscreen on the primary monitor at the given size when asked. Null on failure.
    // Gamepad mappings in SDL_GAMECONTROLLERCONFIG are added to GLFW's own.
    static std::unique_ptr<Window> open(int width, int height, bool fullscreen);
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void setTitle(const char* title);
    void showCursor();

    // The state now, with the presses counted since the last takeInput; the frame's input.
    FrameInput snapshot() const override;
    // The snapshot for a new frame: its presses are not counted again in the next one.
    FrameInput takeInput() override;
    // Presents the frame, then collects the window's pending events; F11 or Alt+Enter among
    // them switches between the window and fullscreen.
    void swapBuffers() override;
    SurfaceSize size() const override;
    bool isOpen() const;

    // Seconds since GLFW was initialised.
    static double time();
    GLFWwindow* handle() const { return window_; }

  private:
    Window(GLFWwindow* window, const ScreenRect& windowed);
    // Fullscreen on the monitor the window is on, at the desktop's own mode so that the screen
    // is not switched; back to the window's last size and place.
    void switchFullscreen();

    GLFWwindow* window_;
    ScreenRect windowed_; // where the window was before it went fullscreen
    int plusKey_;
    int minusKey_;
    InputEvents events_;
};
