#include "app/Places.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

#include "app/Options.h"

namespace fs = std::filesystem;

namespace {

// `path` from `base` unless it is absolute, without "." and ".." steps or a trailing slash.
std::string absoluteFrom(const std::string& base, const std::string& path) {
    fs::path p(path);
    if (p.is_relative() && !base.empty())
        p = fs::path(base) / p;
    std::string normal = p.lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    return normal;
}

std::string variable(const Surroundings& around, const std::string& name) {
    const auto it = around.environment.find(name);
    return it == around.environment.end() ? "" : it->second;
}

// An XDG base directory: the variable when it holds an absolute path (a relative one is
// invalid and ignored), else HOME's default; empty without either.
std::string xdgFolder(const Surroundings& around, const char* name, const char* fromHome) {
    const std::string chosen = variable(around, name);
    if (!chosen.empty() && chosen[0] == '/')
        return absoluteFrom("", chosen) + "/quorvex";
    const std::string home = variable(around, "HOME");
    if (!home.empty() && home[0] == '/')
        return absoluteFrom("", home + "/" + fromHome) + "/quorvex";
    return "";
}

bool holdsData(const Surroundings& around, const std::string& dir) {
    return around.kind(dir + "/resources") == PathKind::Directory &&
           around.kind(dir + "/shaders") == PathKind::Directory;
}

} // namespace

Places findPlaces(const Options& options, const Surroundings& around,
                  const std::string& dataFromCommand) {
    Places places;
    places.stateDir = xdgFolder(around, "XDG_STATE_HOME", ".local/state");
    places.resultsDir = xdgFolder(around, "XDG_DATA_HOME", ".local/share");

    std::string installed;
    if (!dataFromCommand.empty() && (dataFromCommand[0] == '/' || !around.executable.empty()))
        installed =
            absoluteFrom(fs::path(around.executable).parent_path().string(), dataFromCommand);
    const bool isInstalled = !installed.empty() && around.kind(installed) == PathKind::Directory;

    if (!options.data.empty() || isInstalled) {
        places.dataDir =
            options.data.empty() ? installed : absoluteFrom(around.workingDir, options.data);
        if (!holdsData(around, places.dataDir))
            places.problem = places.dataDir + ": no game data here (needs resources/ and shaders/)";
    } else if (around.kind(absoluteFrom(around.workingDir, "resources")) != PathKind::Directory) {
        const std::string here = around.workingDir.empty() ? "" : " " + around.workingDir;
        places.problem =
            "no game data: " + (installed.empty() ? "" : installed + " is missing, and ") +
            "the working directory" + here + " has no resources/ folder";
    }

    const std::string fallback =
        places.dataDir.empty() ? "resources/config" : places.dataDir + "/resources/config";
    const std::string configHome = xdgFolder(around, "XDG_CONFIG_HOME", ".config");
    if (!options.config.empty())
        places.config = options.config;
    else if (isInstalled && !configHome.empty() &&
             around.kind(configHome + "/config") != PathKind::Absent)
        places.config = configHome + "/config";
    else
        places.config = fallback;
    return places;
}

Surroundings currentSurroundings(const char* argv0) {
    Surroundings around;
    std::error_code error;
    around.workingDir = fs::current_path(error).string();
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        around.executable = self.string();
    else if (argv0 && std::string(argv0).find('/') != std::string::npos)
        around.executable = absoluteFrom(around.workingDir, argv0);
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME"}) {
        if (const char* value = std::getenv(name))
            around.environment[name] = value;
    }
    around.kind = [](const std::string& path) {
        struct stat info;
        if (::stat(path.c_str(), &info) == 0)
            return S_ISDIR(info.st_mode) ? PathKind::Directory : PathKind::Other;
        return ::lstat(path.c_str(), &info) == 0 ? PathKind::Other : PathKind::Absent;
    };
    return around;
}

const char* installedDataFromCommand() {
    return QUORVEX_DATA_FROM_COMMAND;
}
