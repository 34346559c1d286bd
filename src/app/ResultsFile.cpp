#include "app/ResultsFile.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "app/Replay.h"
#include "io/PlayerFile.h"
#include "io/Report.h"

namespace {
// Ten lines of a few dozen bytes; anything much larger is not a results file.
constexpr std::size_t kMaxBytes = 64 * 1024;
// Hours of play at a high frame rate; a larger file is not one of ours.
constexpr std::size_t kMaxReplayBytes = 64 * 1024 * 1024;
} // namespace

ResultsFile::ResultsFile(std::string path) : path_(std::move(path)) {}

void ResultsFile::tell(const std::string& line) {
    // One line per run: a file that stays unwritable is not worth a line per game.
    if (!told_)
        report(ReportStream::Err, line);
    told_ = true;
}

bool ResultsFile::readForMerge(std::vector<Result>& results) {
    const PlayerFileRead read = readPlayerFile(path_, kMaxBytes);
    if (read.state == PlayerFileState::Absent)
        return true;
    if (read.state == PlayerFileState::NotAFile) {
        tell(path_ + ": not a regular file; results are not saved");
        return false;
    }
    ParsedResults parsed;
    if (read.state == PlayerFileState::Read) {
        parsed = parseResults(read.bytes);
        if (!parsed.damaged) {
            results = parsed.results;
            return true;
        }
    } else {
        parsed.problem = read.problem;
    }
    std::string problem;
    const std::string aside = setAsidePlayerFile(path_, problem);
    if (aside.empty()) {
        tell(path_ + ": " + parsed.problem + ", and " + problem + "; results are not saved");
        return false;
    }
    report(ReportStream::Err, path_ + ": " + parsed.problem + "; moved aside to " + aside);
    results = parsed.results;
    return true;
}

void ResultsFile::load() {
    if (path_.empty())
        return;
    PlayerFileLock lock(path_);
    std::vector<Result> results;
    if (!lock.locked() || !readForMerge(results))
        return;
    best_ = results;
    // What could be read of a file set aside goes on in a fresh one.
    std::string problem;
    if (!results.empty() && readPlayerFile(path_, kMaxBytes).state == PlayerFileState::Absent &&
        !writePlayerFile(path_, formatResults(results), problem))
        tell(problem + "; results are not saved");
}

std::string ResultsFile::beside(const std::string& name) const {
    const std::size_t slash = path_.rfind('/');
    return (slash == std::string::npos ? std::string() : path_.substr(0, slash + 1)) + name;
}

void ResultsFile::keepLast(const std::string& replay) {
    const std::string last = beside("last.replay");
    const PlayerFileRead old = readPlayerFile(last, kMaxReplayBytes);
    std::string problem;
    if (old.state == PlayerFileState::NotAFile) {
        tell(last + ": not a regular file; the last replay is not kept");
        return;
    }
    if (old.state != PlayerFileState::Absent && !decodeReplay(old.bytes).ok) {
        const std::string aside = setAsidePlayerFile(last, problem);
        if (aside.empty()) {
            tell(last + ": cannot be read, and " + problem + "; the last replay is not kept");
            return;
        }
        report(ReportStream::Err,
               last + ": not a replay this game can read; moved aside to " + aside);
    }
    if (!writePlayerFile(last, replay, problem))
        tell(problem + "; the last replay is not kept");
}

std::string ResultsFile::keepReplay(const Result& result, const std::string& replay) {
    std::string stem = result.date;
    std::replace(stem.begin(), stem.end(), ':', '-');
    for (int n = 1; n < 100; ++n) {
        const std::string name = stem + (n > 1 ? "-" + std::to_string(n) : "") + ".replay";
        if (readPlayerFile(beside("replays/" + name), 0).state != PlayerFileState::Absent)
            continue; // never over another game's replay
        std::string problem;
        if (writePlayerFile(beside("replays/" + name), replay, problem))
            return name;
        tell(problem + "; the replay is not kept");
        return "";
    }
    return "";
}

void ResultsFile::dropReplays(const std::vector<Result>& before, const std::vector<Result>& after) {
    for (const Result& old : before) {
        const bool kept = std::any_of(after.begin(), after.end(),
                                      [&](const Result& r) { return r.replay == old.replay; });
        if (!old.replay.empty() && !kept)
            std::remove(beside("replays/" + old.replay).c_str());
    }
}

ResultsFile::Outcome ResultsFile::record(const Result& result, const std::string& replay) {
    unsaved_.push_back(result);
    Outcome outcome;
    std::optional<PlayerFileLock> lock;
    std::vector<Result> onDisk;
    if (path_.empty()) {
        tell("No place for the best results: neither XDG_DATA_HOME nor HOME is set");
    } else if (lock.emplace(path_); !lock->locked()) {
        tell(lock->problem() + "; results are not saved");
    } else if (readForMerge(onDisk)) {
        if (!replay.empty())
            keepLast(replay);
        const std::vector<Result> before = onDisk;
        // What the file holds now, others' games included, and every result of this run that
        // has not reached it yet; a replay only for a result that places.
        std::vector<Result> trial = onDisk;
        if (!replay.empty() && placeResult(trial, result) > 0)
            unsaved_.back().replay = keepReplay(result, replay);
        for (const Result& r : unsaved_)
            outcome.place = placeResult(onDisk, r);
        std::string problem;
        if (writePlayerFile(path_, formatResults(onDisk), problem)) {
            unsaved_.clear();
            dropReplays(before, onDisk);
        } else {
            tell(problem + "; results are not saved");
        }
        best_ = onDisk;
        outcome.best = best_.front();
        outcome.newBest = outcome.place == 1;
        return outcome;
    }
    // Kept in this run alone; the earlier unsaved ones are among best_ already.
    outcome.place = placeResult(best_, result);
    outcome.best = best_.empty() ? result : best_.front();
    outcome.newBest = outcome.place == 1;
    return outcome;
}
