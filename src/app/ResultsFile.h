#pragma once

#include <string>
#include <vector>

#include "app/Results.h"

// The player's best results on disk. Every game's result is merged into the file under a
// lock, so that two games ending at once both keep theirs. A file that cannot be read is
// moved aside, never overwritten; whatever goes wrong is told once and the game plays on,
// keeping the results it could not save to try again with the next one. Beside the file, the
// last game's replay is kept as "last.replay", and each of the ten best keeps its own in
// "replays/" for as long as it stays among them.
class ResultsFile {
  public:
    // `path` empty: there is no place for the file (told at the first result).
    explicit ResultsFile(std::string path);

    // Reads what the file holds now.
    void load();

    struct Outcome {
        int place = 0; // 1 for the best, 0 when it did not place
        Result best;   // the best result now, this one included
        bool newBest = false;
    };
    // `replay` is the game's recording, kept with it when not empty.
    Outcome record(const Result& result, const std::string& replay = "");

    const std::vector<Result>& best() const { return best_; }
    const std::string& path() const { return path_; }

  private:
    // The file's results under the lock; false when it must not be written.
    bool readForMerge(std::vector<Result>& results);
    // Under the lock: the last replay over the old one, unless that one cannot be read.
    void keepLast(const std::string& replay);
    // Under the lock: a new file in replays/ for a placed result; its name, or empty.
    std::string keepReplay(const Result& result, const std::string& replay);
    void dropReplays(const std::vector<Result>& before, const std::vector<Result>& after);
    std::string beside(const std::string& name) const;
    void tell(const std::string& line);

    std::string path_;
    std::vector<Result> best_;
    std::vector<Result> unsaved_;
    bool told_ = false;
};
