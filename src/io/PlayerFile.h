#pragma once

#include <cstddef>
#include <functional>
#include <string>

// The player's own files (best results, settings, replays) are the most precious thing the
// game touches. A write goes to a new file beside the old one, is flushed to the disk and
// then renamed over the old one, so that a crash, a kill or a full disk at any moment leaves
// the old file or the new one whole. A file that cannot be read is set aside, never
// overwritten. Nothing here throws or reports: callers say what went wrong, once.

enum class PlayerFileState {
    Absent,     // nothing there yet
    Read,       // read whole
    NotAFile,   // a directory, a named pipe, a device in its place
    Unreadable, // not permitted, too large, or a read error
};

struct PlayerFileRead {
    PlayerFileState state = PlayerFileState::Absent;
    std::string bytes;
    std::string problem; // why it could not be read, for the caller's line
};

// The whole file, at most `maxBytes` (a larger one is Unreadable).
PlayerFileRead readPlayerFile(const std::string& path, std::size_t maxBytes);

// Writes `bytes` to "<path>.new", flushes it, renames it over `path` and flushes the folder,
// making the missing folders first. On failure `problem` says why, the old file is as it was
// and the new one is removed. Call it while holding a PlayerFileLock on `path`.
bool writePlayerFile(const std::string& path, const std::string& bytes, std::string& problem);

// Moves a file that cannot be used to "<path>.damaged-<date>-<time>" (another number after
// it when that name is taken; nothing is ever renamed over). The new name, or empty when the
// file could not be moved (then `problem` says why).
std::string setAsidePlayerFile(const std::string& path, std::string& problem);

// Now in strftime's `format`, as universal time or as the machine's local time.
std::string timeText(const char* format, bool utc);

// An exclusive lock on "<path>.lock" for the object's life, so that two games ending at the
// same moment read, merge and write one after the other. Waits up to `seconds` for another
// holder; locked() is false when it could not be taken.
class PlayerFileLock {
  public:
    explicit PlayerFileLock(const std::string& path, double seconds = 5.0);
    ~PlayerFileLock();
    PlayerFileLock(const PlayerFileLock&) = delete;
    PlayerFileLock& operator=(const PlayerFileLock&) = delete;

    bool locked() const { return fd_ >= 0; }
    const std::string& problem() const { return problem_; }

  private:
    int fd_ = -1;
    std::string problem_;
};

// The steps of a write, in order, for tests that stop a write where a crash could.
enum class WriteStep { Create, Write, Flush, Close, Rename, FlushFolder };
// Called before each step; returning true stops the write there as a kill would: nothing is
// cleaned up. An empty function (the default) lets every write run.
using WriteInterruption = std::function<bool(WriteStep)>;
void setWriteInterruption(WriteInterruption interruption);
