#include "sim/physics/TriggerTracker.h"

#include <btBulletCollisionCommon.h>

namespace {

BodyTag tagOf(const btCollisionObject* body)
{
    return body->getUserIndex2() == static_cast<int>(BodyTag::PowerUp) ? BodyTag::PowerUp : BodyTag::None;
}

TriggerPair makePair(const TriggerTracker::Overlap& overlap, bool found)
{
    TriggerPair pair;
    pair.triggerBody = overlap.trigger;
    pair.triggerTag = tagOf(overlap.trigger);
    pair.otherBody = overlap.other;
    pair.otherTag = tagOf(overlap.other);
    pair.touchFound = found;
    return pair;
}

}  // namespace

void TriggerTracker::update(const std::vector<Overlap>& current, std::vector<TriggerPair>& out)
{
    std::set<Key> now;
    std::vector<Overlap> nowInOrder;
    for (const Overlap& overlap : current) {
        if (!now.insert({overlap.trigger, overlap.other}).second) continue;
        nowInOrder.push_back(overlap);
        if (!touching.count({overlap.trigger, overlap.other})) out.push_back(makePair(overlap, true));
    }
    for (const Overlap& overlap : touchingInOrder) {
        if (!now.count({overlap.trigger, overlap.other})) out.push_back(makePair(overlap, false));
    }
    touching = std::move(now);
    touchingInOrder = std::move(nowInOrder);
}
