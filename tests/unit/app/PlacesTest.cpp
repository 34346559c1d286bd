#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "app/Options.h"
#include "app/Places.h"

namespace {

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; std::getline(in, word, ';');)
        words.push_back(word);
    return words;
}

// dataDir|config|stateDir|resultsDir|problem for a program at `exe` started in `wd` with the
// variables `env` ("NAME=value;..."), the options `args` and what exists on the scripted disk
// (`disk`: paths split by ';', folders ending in '/').
std::string places(const std::string& exe, const std::string& wd, const std::string& env,
                   const std::string& args, const std::string& disk,
                   const std::string& dataFromCommand = "../share/games/quorvex") {
    Surroundings around{exe, wd, {}, {}};
    for (const std::string& pair : split(env))
        around.environment[pair.substr(0, pair.find('='))] = pair.substr(pair.find('=') + 1);
    const std::vector<std::string> listed = split(disk);
    const std::set<std::string> paths(listed.begin(), listed.end());
    around.kind = [&](const std::string& p) {
        return paths.count(p + "/") ? PathKind::Directory
               : paths.count(p)     ? PathKind::Other
                                    : PathKind::Absent;
    };
    const Places p = findPlaces(parseOptions(split(args)).options, around, dataFromCommand);
    return p.dataDir + "|" + p.config + "|" + p.stateDir + "|" + p.resultsDir + "|" + p.problem;
}

} // namespace

TEST(Places, SourceTreeInstalledOrAbsolutePlayersConfigurationAndXdgRules) {
    const std::string usr = "/usr/share/games/quorvex";
    const std::string source = "/src/resources/;/src/shaders/;";
    const std::string installed = usr + "/;" + usr + "/resources/;" + usr + "/shaders/;" + source;
    const std::string home = "HOME=/home/p", player = ";/home/p/.config/quorvex/config";
    const std::string homeState = "|/home/p/.local/state/quorvex|/home/p/.local/share/quorvex|";
    const std::string noData = ": no game data here (needs resources/ and shaders/)";
    const std::pair<std::string, std::string> cases[] = {
        {places("/src/build/quorvex", "/src", home, "", source + player),
         "|resources/config" + homeState},
        {places("/usr/games/quorvex", "/src", home, "", installed),
         usr + "|" + usr + "/resources/config" + homeState},
        {places("/usr/games/quorvex", "/", "XDG_CONFIG_HOME=/c", "",
                installed + ";/c/quorvex/config"),
         usr + "|/c/quorvex/config|||"},
        {places("/usr/games/quorvex", "/", home, "", installed + player + "/"), // a folder
         usr + "|/home/p/.config/quorvex/config" + homeState},
        {places("/usr/games/quorvex", "/", home, "--config;c", installed + player),
         usr + "|c" + homeState},
        {places("/src/build/quorvex", "/home/p/x", home, "--data=../d",
                "/home/p/d/resources/;/home/p/d/shaders/"),
         "/home/p/d|/home/p/d/resources/config" + homeState},
        {places("/usr/games/quorvex", "/", home, "", usr + "/;" + usr + "/resources/"),
         usr + "|" + usr + "/resources/config" + homeState + usr + noData},
        {places("/src/build/quorvex", "/tmp", home, "", source),
         "|resources/config" + homeState +
             "no game data: /src/share/games/quorvex is missing, and the working directory /tmp "
             "has no resources/ folder"},
        {places("/src/build/quorvex", "/src", "XDG_STATE_HOME=/s/;XDG_DATA_HOME=s", "", source),
         "|resources/config|/s/quorvex||"},
        {places("/src/build/quorvex", "/src", "HOME=p", "", source), "|resources/config|||"},
        {places("", "/", "", "", "/opt/q/;/opt/q/resources/;/opt/q/shaders/", "/opt/q"),
         "/opt/q|/opt/q/resources/config|||"},
    };
    for (const auto& [got, expected] : cases)
        EXPECT_EQ(got, expected);
}
