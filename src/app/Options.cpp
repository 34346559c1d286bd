#include "app/Options.h"

#include <climits>

#include "app/Places.h"
#include "world/Random.h"

namespace {

// Reads a value into the options; the reason it is refused, or empty.
using Apply = std::string (*)(Options& options, const std::string& value);

struct OptionRow {
    const char* name;
    const char* value; // the value's name in the usage, or null for an option without one
    const char* help;
    Apply apply;
};

// A positive whole number in decimal digits that fits an int.
bool positiveNumber(const std::string& text, int& number) {
    if (text.empty() || text.size() > 10)
        return false;
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value <= 0 || value > INT_MAX)
        return false;
    number = static_cast<int>(value);
    return true;
}

std::string applySize(Options& o, const std::string& value) {
    const size_t x = value.find('x');
    if (x == std::string::npos || !positiveNumber(value.substr(0, x), o.width) ||
        !positiveNumber(value.substr(x + 1), o.height))
        return "is not WIDTHxHEIGHT in pixels, such as 1280x720";
    return "";
}

std::string applySeed(Options& o, const std::string& value) {
    o.seeded = parseSeed(value, o.seed);
    return o.seeded ? "" : "is not a seed (decimal digits, below 2^64)";
}

// The one table of options: parsing, the usage line and --help all come from it.
const OptionRow kOptions[] = {
    {"--fullscreen", nullptr, "play fullscreen, whatever the configuration says",
     [](Options& o, const std::string&) {
         return o.mode = Options::Mode::Fullscreen, std::string();
     }},
    {"--window", nullptr, "play in a window, whatever the configuration says",
     [](Options& o, const std::string&) { return o.mode = Options::Mode::Window, std::string(); }},
    {"--size", "WIDTHxHEIGHT", "the window's size in pixels, whatever the configuration says",
     applySize},
    {"--config", "FILE", "read this configuration instead of the usual one",
     [](Options& o, const std::string& v) { return o.config = v, std::string(); }},
    {"--data", "DIR", "take the shaders/ and resources/ folders from DIR",
     [](Options& o, const std::string& v) { return o.data = v, std::string(); }},
    {"--seed", "N", "fix the run's chance (decimal; before QUORVEX_SEED)", applySeed},
    {"--replay", "FILE", "watch a recorded game (P pauses, Escape ends)",
     [](Options& o, const std::string& v) { return o.replay = v, std::string(); }},
    {"--check", nullptr, "with --replay: play it back without a window; 0 when it matches",
     [](Options& o, const std::string&) { return o.check = true, std::string(); }},
    {"--help", nullptr, "show this text and end",
     [](Options& o, const std::string&) { return o.help = true, std::string(); }},
    {"--version", nullptr, "show the version and end",
     [](Options& o, const std::string&) { return o.version = true, std::string(); }},
};

const OptionRow* findOption(const std::string& name) {
    for (const OptionRow& row : kOptions) {
        if (name == row.name)
            return &row;
    }
    return nullptr;
}

OptionsResult refuse(const std::string& error) {
    OptionsResult result;
    result.error = error;
    return result;
}

} // namespace

OptionsResult parseOptions(const std::vector<std::string>& args) {
    OptionsResult result;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionRow* row = arg.rfind("--", 0) == 0 ? findOption(name) : nullptr;
        if (!row)
            return refuse(
                (arg.rfind("-", 0) == 0 ? "unknown option \"" : "unexpected argument \"") + arg +
                "\"");
        std::string value;
        if (!row->value && equals != std::string::npos)
            return refuse(name + " takes no value");
        if (row->value && equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (row->value) {
            if (i + 1 == args.size())
                return refuse(name + " needs a value: " + row->value);
            value = args[++i];
        }
        if (row->value && value.empty())
            return refuse(name + " needs a value: " + row->value);
        const std::string problem = row->apply(result.options, value);
        if (!problem.empty())
            return refuse(name + " \"" + value + "\" " + problem);
    }
    if (result.options.check && result.options.replay.empty())
        return refuse("--check needs --replay FILE");
    result.ok = true;
    return result;
}

GameConfig withOptions(GameConfig config, const Options& options) {
    if (options.mode != Options::Mode::FromConfig)
        config.fullscreen = options.mode == Options::Mode::Fullscreen;
    if (options.width > 0 && options.height > 0) {
        config.width = options.width;
        config.height = options.height;
    }
    return config;
}

bool chooseSeed(const Options& options, const char* variable, std::uint64_t& seed,
                std::string& error) {
    if (options.seeded) {
        seed = options.seed;
    } else if (variable && !parseSeed(variable, seed)) {
        error = std::string("QUORVEX_SEED: not a seed (decimal digits): ") + variable;
        return false;
    }
    return true;
}

std::string usageLine() {
    std::string line = "usage: quorvex";
    for (const OptionRow& row : kOptions)
        line +=
            std::string(" [") + row.name + (row.value ? std::string(" ") + row.value : "") + "]";
    return line;
}

std::string helpText() {
    std::string text = usageLine() + "\n\n";
    for (const OptionRow& row : kOptions) {
        std::string left =
            std::string("  ") + row.name + (row.value ? " " : "") + (row.value ? row.value : "");
        left.resize(std::max<size_t>(left.size() + 2, 26), ' ');
        text += left + row.help + "\n";
    }
    text += "\nfiles:\n"
            "  ${XDG_CONFIG_HOME:-~/.config}/quorvex/config\n"
            "      the player's configuration, which the installed game reads when it exists\n"
            "  <data>/resources/config\n"
            "      the default configuration; <data> is --data, else " +
            std::string(installedDataFromCommand()) +
            " from the\n"
            "      installed command, else the working directory (in a source tree)\n"
            "  ${XDG_STATE_HOME:-~/.local/state}/quorvex/settings\n"
            "      the music volume, remembered between runs\n"
            "  ${XDG_DATA_HOME:-~/.local/share}/quorvex/results\n"
            "      the ten best results, with their replays in replays/ beside it\n"
            "  ${XDG_DATA_HOME:-~/.local/share}/quorvex/last.replay\n"
            "      the last game's replay\n"
            "\n"
            "exit status: 0 normal end, 1 no window (or --check: the replay differs), 2\n"
            "configuration, command line or replay file refused, 3 game data missing";
    return text;
}

std::string versionText() {
    return "quorvex " QUORVEX_VERSION;
}
