#pragma once

#include <string>
#include <vector>

// One finished game: the time survived (the clock "Zeit"), the kills and when it ended.
struct Result {
    double seconds = 0.0;
    int kills = 0;
    std::string date;   // "YYYY-MM-DDTHH:MM:SSZ", UTC
    std::string replay; // the file name of its replay beside the results, if kept
};

// The best results come first: longer survival, then more kills, then the earlier game.
bool betterResult(const Result& a, const Result& b);

constexpr int kKeptResults = 10;

// Puts `result` among `best` (kept ordered and cut to the ten best). Its place, 1 for the
// best, or 0 when it did not place.
int placeResult(std::vector<Result>& best, const Result& result);

// The results file: a first line naming the format and its version, then one result a line,
// best first, as "<seconds> <kills> <date>" and the name of its replay when one is kept, with
// '#' lines as comments:
//     quorvex results 1
//     183.417 57 2026-12-08T10:15:00Z 20261208-101500-42.replay
std::string formatResults(const std::vector<Result>& best);

struct ParsedResults {
    std::vector<Result> results; // every line that could be read, best first, at most ten
    bool damaged = false;        // something could not be read: the file must not be rewritten
    bool newer = false;          // a later version of the format, which this game cannot keep
    std::string problem;         // what was wrong, for the one line that says so
};
ParsedResults parseResults(const std::string& text);

// The date now in the file's form.
std::string resultDate();
// A name a replay may have beside the results: letters, digits, '.', '_' and '-' only, so that
// no line of a results file can name a file elsewhere.
bool replayNameAllowed(const std::string& name);
