#pragma once

#include <functional>
#include <map>
#include <string>

struct Options;

// What a path names, as far as finding the game's places needs to know.
enum class PathKind { Absent, Directory, Other };

// Everything the places depend on, gathered once by the program and scripted by tests.
struct Surroundings {
    std::string executable; // the running program's absolute path; empty when unknown
    std::string workingDir; // absolute; empty when unknown
    std::map<std::string, std::string> environment; // HOME and the XDG_* variables that are set
    std::function<PathKind(const std::string& path)> kind; // follows links; a dangling one: Other
};

// Where this run's files are. Paths are absolute, except in a source tree, whose data stays
// the working directory as the relative names "resources/..." and "shaders/..." expect.
struct Places {
    // Where resources/ and shaders/ are; empty: the working directory.
    std::string dataDir;
    // The configuration to read.
    std::string config;
    // The player's remembered settings and best results; empty where there is no place (no
    // HOME and no absolute XDG_* variable): the game then plays on without remembering.
    std::string stateDir;
    std::string resultsDir;
    // One line when there is no game data; then nothing else can be trusted.
    std::string problem;
};

// The installed data lies at `dataFromCommand` from the executable's folder (an absolute
// path is taken as it is); when it is there, the game is installed and the player's own
// ${XDG_CONFIG_HOME:-~/.config}/quorvex/config counts when it exists, else the installed
// default. Otherwise the game runs in a source tree: resources/config and the data from the
// working directory. --data and --config take the place of the data and of the configuration.
Places findPlaces(const Options& options, const Surroundings& around,
                  const std::string& dataFromCommand);

// This process's surroundings: /proc/self/exe, the working directory, the environment and
// the file system.
Surroundings currentSurroundings(const char* argv0);

// The installed data's place from the command's folder, as this build installs it.
const char* installedDataFromCommand();

// The exit status when the game's data is missing.
constexpr int kDataExitStatus = 3;
