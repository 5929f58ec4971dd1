#include "sim/physics/RestingTreeFiler.h"

#include <btBulletDynamicsCommon.h>

namespace {

// Bullet's broadphase tree grows one level per box when boxes arrive in a
// steady order (as a level file lists them), which makes building a large
// level quadratic. Rebuilding the tree of resting boxes every few hundred
// boxes keeps it shallow.
constexpr int kRebalanceEvery = 256;

void unlinkProxy(btDbvtProxy* proxy, btDbvtProxy*& list)
{
    if (proxy->links[0]) proxy->links[0]->links[1] = proxy->links[1];
    else list = proxy->links[1];
    if (proxy->links[1]) proxy->links[1]->links[0] = proxy->links[0];
}

void linkProxy(btDbvtProxy* proxy, btDbvtProxy*& list)
{
    proxy->links[0] = nullptr;
    proxy->links[1] = list;
    if (list) list->links[0] = proxy;
    list = proxy;
}

// Bullet first files a new proxy in its tree of moving things and moves it to
// the tree of resting things a couple of steps later, one insertion at a time.
// A static box never moves, so it is filed there at once, the same way.
void fileAsResting(btDbvtBroadphase& broadphase, btBroadphaseProxy* handle)
{
    auto* proxy = static_cast<btDbvtProxy*>(handle);
    if (!proxy || proxy->stage == btDbvtBroadphase::STAGECOUNT) return;
    unlinkProxy(proxy, broadphase.m_stageRoots[proxy->stage]);
    broadphase.m_sets[btDbvtBroadphase::DYNAMIC_SET].remove(proxy->leaf);
    const btDbvtVolume volume = btDbvtVolume::FromMM(proxy->m_aabbMin, proxy->m_aabbMax);
    proxy->leaf = broadphase.m_sets[btDbvtBroadphase::FIXED_SET].insert(volume, proxy);
    proxy->stage = btDbvtBroadphase::STAGECOUNT;
    linkProxy(proxy, broadphase.m_stageRoots[btDbvtBroadphase::STAGECOUNT]);
}

// Offers the pair (new static box, moving body) to the pair cache, which
// applies the collision groups.
struct PairWithMoving : btDbvt::ICollide {
    PairWithMoving(btOverlappingPairCache& cache, btBroadphaseProxy* proxy) : cache(cache), proxy(proxy) {}
    void Process(const btDbvtNode* leaf) override
    {
        auto* other = static_cast<btBroadphaseProxy*>(leaf->data);
        if (other != proxy) cache.addOverlappingPair(proxy, other);
    }
    btOverlappingPairCache& cache;
    btBroadphaseProxy* proxy;
};

}  // namespace

RestingTreeFiler::RestingTreeFiler(btDiscreteDynamicsWorld& world, btDbvtBroadphase& broadphase)
    : world(world), broadphase(broadphase)
{
}

void RestingTreeFiler::addStaticBody(btRigidBody* body, int group, int mask)
{
    // Deferred: Bullet skips its own search for pairs, which would meet every
    // static box the new one touches only to throw those pairs away.
    broadphase.m_deferedcollide = true;
    world.addRigidBody(body, group, mask);
    broadphase.m_deferedcollide = false;

    btBroadphaseProxy* proxy = body->getBroadphaseHandle();
    fileAsResting(broadphase, proxy);
    btDbvt& resting = broadphase.m_sets[btDbvtBroadphase::FIXED_SET];
    if (resting.m_leaves >= rebalanceAt) {
        resting.optimizeTopDown(4);
        rebalanceAt = resting.m_leaves + kRebalanceEvery;
    }

    PairWithMoving pairing(*broadphase.m_paircache, proxy);
    btDbvt& moving = broadphase.m_sets[btDbvtBroadphase::DYNAMIC_SET];
    moving.collideTV(moving.m_root, static_cast<btDbvtProxy*>(proxy)->leaf->volume, pairing);
}
