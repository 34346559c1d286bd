#include "world/EnemyIndex.h"

#include <algorithm>
#include <cmath>

#include "world/Enemy.h"

// Why pruning never changes an answer. Let p be a filed place and q the query place, both with
// |p|^2, |q|^2 <= M = (1 + 1e-3)^2, and c = cos(degrees). Since
//     dot(p, q) = (|p|^2 + |q|^2 - |p - q|^2) / 2,
// every p with |p - q|^2 > h^2 = 2 (M - c + e) has dot(p, q) < c - e. The query visits every
// cell that meets the cube of half-width h (+ slack for float rounding) around q, so what it
// leaves out has some coordinate farther than h from q. A dot product below c - e (e = 1e-4,
// far above float rounding) has acos at least e radians beyond `degrees`, so the game's strict
// test acos(dot) * 180 / pi < degrees fails for it; the in-cell filter on minDot relies on the
// same bound. The bound needs degrees below 90 only to keep h small; wider queries visit all.

namespace {
constexpr int kGrid = 17; // cells per axis: 0.125 wide, so a 5.5-degree box spans at most 3
constexpr float kHalfSpan = 1.0625f; // the grid covers [-kHalfSpan, kHalfSpan]^3
constexpr float kCellsPerUnit = kGrid / (2.0f * kHalfSpan);
constexpr double kMaxNormSquared = 1.002001; // (1 + 1e-3)^2: places drift off unit length
constexpr double kDotSlack = 1e-4;
constexpr double kBoxSlack = 1e-4;
constexpr float kMaxBoundedDegrees = 90.0f;
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

int coordinate(float x) {
    const int c = static_cast<int>(std::floor((x + kHalfSpan) * kCellsPerUnit));
    return std::clamp(c, 0, kGrid - 1);
}

bool nearUnit(const glm::vec3& v) {
    return glm::dot(v, v) <= static_cast<float>(kMaxNormSquared); // false for NaN
}
} // namespace

EnemyIndex::EnemyIndex() : cells_(static_cast<std::size_t>(kGrid * kGrid * kGrid + 1)) {}

int EnemyIndex::cellIndex(int x, int y, int z) {
    return (x * kGrid + y) * kGrid + z;
}

int EnemyIndex::overflowCell() {
    return kGrid * kGrid * kGrid;
}

void EnemyIndex::sync(const EnemyList& enemies) {
    if (slots_.size() > enemies.size()) {
        rebuild(enemies);
        return;
    }
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i].enemy != enemies[i].get()) {
            rebuild(enemies); // removed or reordered from outside: start over
            return;
        }
        refresh(i);
    }
    for (std::size_t i = slots_.size(); i < enemies.size(); ++i) {
        append(enemies[i].get());
    }
}

void EnemyIndex::refresh(std::size_t i) {
    Slot& slot = slots_[i];
    const Enemy& enemy = *slot.enemy;
    const bool filed = slot.cell != kNoCell;
    if (filed == enemy.isLandedAndLiving() && (!filed || enemy.position == slot.place)) {
        return;
    }
    unfile(slot);
    file(slot);
}

void EnemyIndex::erase(std::size_t i) {
    unfile(slots_[i]);
    slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(i));
}

void EnemyIndex::rebuild(const EnemyList& enemies) {
    for (auto& cell : cells_) {
        cell.clear();
    }
    slots_.clear();
    for (const auto& enemy : enemies) {
        append(enemy.get());
    }
}

void EnemyIndex::append(Enemy* enemy) {
    slots_.push_back(Slot{enemy, kNoCell, glm::vec3(0.0f)});
    file(slots_.back());
}

void EnemyIndex::file(Slot& slot) {
    slot.place = slot.enemy->position;
    slot.cell = cellOf(*slot.enemy);
    if (slot.cell != kNoCell) {
        cells_[static_cast<std::size_t>(slot.cell)].push_back(Entry{slot.enemy, slot.place});
    }
}

void EnemyIndex::unfile(const Slot& slot) {
    if (slot.cell == kNoCell) {
        return;
    }
    auto& cell = cells_[static_cast<std::size_t>(slot.cell)];
    const auto it = std::find_if(cell.begin(), cell.end(),
                                 [&](const Entry& e) { return e.enemy == slot.enemy; });
    *it = cell.back(); // order within a cell carries no meaning
    cell.pop_back();
}

int EnemyIndex::cellOf(const Enemy& enemy) {
    if (!enemy.isLandedAndLiving()) {
        return kNoCell;
    }
    const glm::vec3 p = enemy.getPosition();
    if (!nearUnit(p)) {
        return overflowCell();
    }
    return cellIndex(coordinate(p.x), coordinate(p.y), coordinate(p.z));
}

const EnemyIndex::Reach& EnemyIndex::reachFor(float degrees) const {
    if (!hasReach_ || reach_.degrees != degrees) {
        const double c = std::cos(static_cast<double>(degrees) * kRadiansPerDegree);
        reach_.degrees = degrees;
        reach_.halfWidth =
            static_cast<float>(std::sqrt(2.0 * (kMaxNormSquared - c + kDotSlack)) + kBoxSlack);
        reach_.minDot = static_cast<float>(c - kDotSlack);
        hasReach_ = true;
    }
    return reach_;
}

bool EnemyIndex::boxAround(const glm::vec3& place, float degrees, Box& box) const {
    if (!(degrees < kMaxBoundedDegrees) || !nearUnit(place)) {
        return false;
    }
    const Reach& reach = reachFor(degrees);
    for (int k = 0; k < 3; ++k) {
        box.lo[k] = coordinate(place[k] - reach.halfWidth);
        box.hi[k] = coordinate(place[k] + reach.halfWidth);
    }
    box.centre = cellIndex(coordinate(place.x), coordinate(place.y), coordinate(place.z));
    box.minDot = reach.minDot;
    return true;
}
