#pragma once

#include <string>

struct GameConfig {
    bool fullscreen = false;
    int width = 0;
    int height = 0;
};

// The outcome of reading the configuration: either a config, or one line naming the file and
// the line at fault.
struct ConfigResult {
    bool ok = false;
    GameConfig config;
    std::string error;
};

// Three lines: display mode (first character f or F: fullscreen), width, height (atoi rules).
// A carriage return before a line feed is not part of a line; lines after the third are
// ignored. Refused: an empty first line, fewer than three lines, a width or height that is not
// a positive integer.
ConfigResult parseConfig(const std::string& text, const std::string& path);
ConfigResult readConfig(const std::string& path);

// The exit status of a refused configuration.
constexpr int kConfigExitStatus = 2;
