#include "app/Playback.h"

#include <cstdio>

#include "app/Shell.h"
#include "io/Report.h"

Playback::Playback(Replay replay, std::string name)
    : replay_(std::move(replay)), name_(std::move(name)) {}

void Playback::playUntil(Shell& shell, double seconds) {
    while (next_ < replay_.frames.size() && played_ + replay_.frames[next_].dt <= seconds) {
        const ReplayFrame& frame = replay_.frames[next_];
        if (next_ == 0)
            shell.state.sinceSpawn = replay_.spawnPhase;
        shell.playFrame(frame.commands, frame.dt);
        played_ += frame.dt;
        check(shell);
        ++next_;
    }
}

void Playback::check(Shell& shell) {
    if (nextCheck_ >= replay_.checks.size() || replay_.checks[nextCheck_].frame != next_)
        return;
    const bool same = replay_.checks[nextCheck_++].state == worldState(shell.world());
    if (same || diverged_)
        return;
    diverged_ = true;
    char at[64];
    std::snprintf(at, sizeof at, "%.2f", shell.state.gameClock);
    report(ReportStream::Err, name_ + ": the game differs from the recording from frame " +
                                  std::to_string(next_) + " (game time " + at + " s) on");
}
