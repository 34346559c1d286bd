#pragma once

// Owners delete their GL names only while a context is current and GLEW has loaded the
// entry points: objects that outlive the window (or were never given one) must not call
// through null or foreign function pointers on their way out.
bool glDeleteIsSafe();

// How to ask whether a GL context is current on this thread. The render layer knows no window
// library, so whoever makes a context current says how; until then none counts as current.
void setCurrentContextQuery(bool (*query)());
