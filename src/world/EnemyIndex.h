#pragma once

#include <cstddef>
#include <glm/glm.hpp>
#include <memory>
#include <vector>

class Enemy;

// The landed, living enemies sorted into the cells of a uniform grid over the cube around the
// unit sphere, so that a place or hit test over a small angle looks at a few cells instead of
// the whole list. It only prunes: every enemy it offers still goes through the test's own
// comparison, and every enemy it leaves out certainly fails that comparison.
//
// It holds one slot per list entry, in list order. Enemies that are landing or dying have a
// slot but no cell; an enemy whose place is off the unit sphere by more than a hair sits in a
// cell that every query visits.
class EnemyIndex {
  public:
    using EnemyList = std::vector<std::unique_ptr<Enemy>>;

    EnemyIndex();

    // Brings the index in line with `enemies` as they are now, whatever changed since the
    // last call: spawns, landings, moves, kills, removals, or fields written from outside.
    // Costs one cheap look at each enemy; cells are only touched where something changed.
    void sync(const EnemyList& enemies);
    // The enemy at list index i may have moved, landed or died (slot i must be current).
    void refresh(std::size_t i);
    // The enemy at list index i has left the list.
    void erase(std::size_t i);

    // Calls visit(Enemy&) for every indexed enemy whose place may lie less than `degrees`
    // from `place` by the game's measure (acos of the dot product), and possibly for others;
    // stops as soon as visit returns false. A query the grid cannot bound (90 degrees or more,
    // or `place` off the unit sphere) visits every enemy of the list in list order.
    template <class Visit>
    void forEachNear(const glm::vec3& place, float degrees, Visit&& visit) const;

    std::size_t size() const { return slots_.size(); }

  private:
    struct Entry {
        Enemy* enemy;
        glm::vec3 place; // the enemy's position when it was filed
    };
    struct Slot {
        Enemy* enemy;
        int cell; // kNoCell while landing or dying
        glm::vec3 place;
    };
    // The cells a query must visit, inclusive, and the dot product below which an entry is
    // certainly out of range.
    struct Box {
        int lo[3];
        int hi[3];
        int centre; // the cell of the query place
        float minDot;
    };
    // The box's half-width and minDot for one angle, kept for the next query at that angle.
    struct Reach {
        float degrees;
        float halfWidth;
        float minDot;
    };

    static constexpr int kNoCell = -1;

    void rebuild(const EnemyList& enemies);
    void append(Enemy* enemy);
    void file(Slot& slot);
    void unfile(const Slot& slot);
    static int cellOf(const Enemy& enemy);
    bool boxAround(const glm::vec3& place, float degrees, Box& box) const;
    const Reach& reachFor(float degrees) const;
    static int cellIndex(int x, int y, int z);
    static int overflowCell();

    std::vector<std::vector<Entry>> cells_; // the grid, then the always-visited overflow cell
    std::vector<Slot> slots_;
    mutable Reach reach_{0.0f, 0.0f, 0.0f};
    mutable bool hasReach_ = false;
};

template <class Visit>
void EnemyIndex::forEachNear(const glm::vec3& place, float degrees, Visit&& visit) const {
    Box box;
    if (!boxAround(place, degrees, box)) {
        for (const Slot& slot : slots_) {
            if (!visit(*slot.enemy)) {
                return;
            }
        }
        return;
    }
    // The cell of `place` first: in a crowd its blocker is most likely there, and a place test
    // stops at the first blocker.
    const auto visitCell = [&](int cell) {
        for (const Entry& entry : cells_[static_cast<std::size_t>(cell)]) {
            if (!(glm::dot(entry.place, place) < box.minDot) && !visit(*entry.enemy)) {
                return false;
            }
        }
        return true;
    };
    if (!visitCell(box.centre)) {
        return;
    }
    for (int x = box.lo[0]; x <= box.hi[0]; ++x) {
        for (int y = box.lo[1]; y <= box.hi[1]; ++y) {
            for (int z = box.lo[2]; z <= box.hi[2]; ++z) {
                const int cell = cellIndex(x, y, z);
                if (cell != box.centre && !visitCell(cell)) {
                    return;
                }
            }
        }
    }
    visitCell(overflowCell());
}
