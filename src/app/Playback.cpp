#include "app/Playback.h"

#include <cmath>
#include <cstdio>

#include "app/Shell.h"
#include "io/Report.h"
#include "player/Player.h"
#include "world/Camera.h"
#include "world/World.h"

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
        if (next_ + 1 == replay_.frames.size())
            checkEnd(shell);
        ++next_;
    }
}

void Playback::checkEnd(Shell& shell) {
    const World& world = shell.world();
    if (shell.state.gameClock != replay_.seconds || world.kills != replay_.kills ||
        world.player->lives != replay_.lives)
        differs(shell);
}

void Playback::differs(const Shell& shell) {
    if (diverged_)
        return;
    diverged_ = true;
    char at[64];
    std::snprintf(at, sizeof at, "%.2f", shell.state.gameClock);
    report(ReportStream::Err, name_ + ": the game differs from the recording from frame " +
                                  std::to_string(next_) + " (game time " + at + " s) on");
}

void Playback::check(Shell& shell) {
    if (nextCheck_ >= replay_.checks.size() || replay_.checks[nextCheck_].frame != next_)
        return;
    if (replay_.checks[nextCheck_++].state != worldState(shell.world()))
        differs(shell);
}

bool endsASecond(double before, double after) {
    return std::floor(after) > std::floor(before);
}

std::uint64_t worldState(const World& world) {
    Fnv64 d;
    const auto add = [&d](const glm::vec3& v) {
        d.add(v.x);
        d.add(v.y);
        d.add(v.z);
    };
    const Player& p = *world.player;
    add(p.position);
    add(p.facing);
    d.add(p.lives);
    d.add(p.punchProgress);
    d.add(p.superPunchCooldown);
    d.add(world.kills);
    add(world.camera->eye);
    for (std::size_t i = 0; i < world.enemies.size(); ++i) {
        const Enemy& e = *world.enemies[i];
        d.add(world.enemyIds[i]);
        add(e.position);
        d.add(e.life);
        d.add(e.height);
        d.add(static_cast<std::uint8_t>(e.dying * 2 + e.chasing));
    }
    return d.value();
}
