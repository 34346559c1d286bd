#pragma once

#include <functional>
#include <string>

// The two streams the game writes its diagnostics to.
enum class ReportStream { Out, Err };

// Every line the game tells its player goes through here, so that the wording and the stream
// stay in one voice and a test can read them without capturing file descriptors.
// By default a line goes to std::cout or std::cerr and is flushed.
void report(ReportStream stream, const std::string& line);
// The same, but only the first time for `file`: a fault in a file shared by several owners
// (the player and both fists load one texture) is told once per run.
void reportOnce(const std::string& file, ReportStream stream, const std::string& line);

// Where lines go instead of the standard streams; an empty sink restores them. Installing a
// sink, or restoring the streams, also forgets which files were reported.
using ReportSink = std::function<void(ReportStream stream, const std::string& line)>;
void setReportSink(ReportSink sink);

// How an owner backed by a file came out: loaded, or fell back (drawing nothing, a loud
// colour or silence) for the reason given.
struct LoadState {
    bool loaded = true;
    std::string problem; // the reason, as reported; empty when loaded

    // The first fault stays: it is the one the player was told about first.
    void fail(const std::string& reason) {
        if (loaded)
            problem = reason;
        loaded = false;
    }
};
