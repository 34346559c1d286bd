#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Config.h"

// What the command line asks of this run. Unset fields leave the configuration's choice.
struct Options {
    bool help = false;
    bool version = false;
    enum class Mode { FromConfig, Fullscreen, Window } mode = Mode::FromConfig;
    int width = 0, height = 0; // both 0: the configuration's size
    std::string config;        // empty: the usual configuration
    std::string data;          // empty: the usual data folder
    bool seeded = false;
    std::uint64_t seed = 0;
    std::string replay; // a recorded game to watch instead of playing
    bool check = false; // play the replay back without a window and tell whether it matches
};

// The options, or one line naming the option or value at fault.
struct OptionsResult {
    bool ok = false;
    Options options;
    std::string error;
};

// Every argument after the program's name. Options are long ones only; a value follows as the
// next argument or after '=' ("--size 800x600", "--size=800x600"). Given twice, the last one
// counts; so does the later of --fullscreen and --window.
OptionsResult parseOptions(const std::vector<std::string>& args);

// The configuration with the command line's display mode and size in place of its own.
GameConfig withOptions(GameConfig config, const Options& options);

// The run's seed: --seed, else QUORVEX_SEED's value (`variable`, null when unset), else the
// `seed` given. False, with the line that says why, when the variable holds no seed.
bool chooseSeed(const Options& options, const char* variable, std::uint64_t& seed,
                std::string& error);

// One line: "usage: quorvex" and every option.
std::string usageLine();
// The --help text: the usage line, each option on a line of its own, and where the files are.
std::string helpText();
// The --version text: "quorvex" and the version.
std::string versionText();

// The exit status of a refused command line, as of a refused configuration.
constexpr int kUsageExitStatus = 2;
