#pragma once
#include <set>
#include <utility>
#include <vector>

#include "sim/physics/SimulationCallback.h"

// Turns the overlaps found after each step into touch-found and touch-lost
// reports by comparing them with the overlaps of the step before.
class TriggerTracker {
public:
    struct Overlap {
        const btCollisionObject* trigger = nullptr;
        const btCollisionObject* other = nullptr;
    };

    // `current` may list a pair more than once; it counts once. Reports are
    // appended to `out`: found pairs in the order given, then lost ones.
    void update(const std::vector<Overlap>& current, std::vector<TriggerPair>& out);

private:
    using Key = std::pair<const btCollisionObject*, const btCollisionObject*>;
    std::set<Key> touching;
    std::vector<Overlap> touchingInOrder;
};
