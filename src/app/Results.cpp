#include "app/Results.h"
#include "io/PlayerFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

constexpr const char* kHeader = "quorvex results";
constexpr int kVersion = 1;

bool readDate(const std::string& text) {
    int year, month, day, hour, minute, second;
    char z = 0;
    int used = 0;
    return text.size() == 20 &&
           std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c%n", &year, &month, &day, &hour,
                       &minute, &second, &z, &used) == 7 &&
           used == 20 && z == 'Z' && month >= 1 && month <= 12 && day >= 1 && day <= 31 &&
           hour <= 23 && minute <= 59 && second <= 60;
}

bool readResult(const std::string& line, Result& result) {
    std::istringstream in(line);
    std::string seconds, kills, extra;
    if (!(in >> seconds >> kills >> result.date))
        return false;
    if ((in >> result.replay) && (!replayNameAllowed(result.replay) || (in >> extra)))
        return false;
    std::size_t used = 0;
    try {
        result.seconds = std::stod(seconds, &used);
        if (used != seconds.size())
            return false;
        result.kills = std::stoi(kills, &used);
        if (used != kills.size())
            return false;
    } catch (...) {
        return false;
    }
    return std::isfinite(result.seconds) && result.seconds >= 0.0 && result.kills >= 0 &&
           readDate(result.date);
}

} // namespace

bool betterResult(const Result& a, const Result& b) {
    if (a.seconds != b.seconds)
        return a.seconds > b.seconds;
    if (a.kills != b.kills)
        return a.kills > b.kills;
    return a.date < b.date;
}

int placeResult(std::vector<Result>& best, const Result& result) {
    const auto at = std::upper_bound(best.begin(), best.end(), result, betterResult);
    const int place = static_cast<int>(at - best.begin()) + 1;
    if (place > kKeptResults)
        return 0;
    best.insert(at, result);
    if (best.size() > static_cast<std::size_t>(kKeptResults))
        best.resize(kKeptResults);
    return place;
}

std::string formatResults(const std::vector<Result>& best) {
    std::ostringstream out;
    out << kHeader << ' ' << kVersion << '\n';
    out << "# seconds survived, kills, date (UTC); best first\n";
    for (const Result& r : best) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.3f", r.seconds);
        out << seconds << ' ' << r.kills << ' ' << r.date;
        if (!r.replay.empty())
            out << ' ' << r.replay;
        out << '\n';
    }
    return out.str();
}

ParsedResults parseResults(const std::string& text) {
    ParsedResults parsed;
    std::istringstream in(text);
    std::string line;
    const std::string header = std::string(kHeader) + ' ';
    if (!std::getline(in, line) || line.compare(0, header.size(), header) != 0) {
        parsed.damaged = true;
        parsed.problem = "not a results file";
        return parsed;
    }
    const std::string version = line.substr(header.size());
    if (version != std::to_string(kVersion)) {
        parsed.damaged = true;
        parsed.newer = version.find_first_not_of("0123456789") == std::string::npos &&
                       !version.empty() && version.size() < 10 && std::stoi(version) > kVersion;
        parsed.problem = parsed.newer ? "written by a newer version (format " + version + ")"
                                      : "unknown format version '" + version + "'";
        return parsed;
    }
    int number = 1;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        Result r;
        if (readResult(line, r)) {
            placeResult(parsed.results, r);
        } else if (!parsed.damaged) {
            parsed.damaged = true;
            parsed.problem = "line " + std::to_string(number) + " cannot be read";
        }
    }
    // A file cut short ends without its line break; what it lost cannot be known.
    if (!text.empty() && text.back() != '\n' && !parsed.damaged) {
        parsed.damaged = true;
        parsed.problem = "cut short";
    }
    return parsed;
}

bool replayNameAllowed(const std::string& name) {
    if (name.empty() || name.size() > 100 || name[0] == '.')
        return false;
    for (const char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '-')
            return false;
    return true;
}

std::string resultDate() {
    return timeText("%Y-%m-%dT%H:%M:%SZ", true);
}
