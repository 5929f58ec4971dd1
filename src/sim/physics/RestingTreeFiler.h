#pragma once

class btDbvtBroadphase;
class btDiscreteDynamicsWorld;
class btRigidBody;

// Adds static bodies to a Bullet world, filing each one straight into its
// broadphase's tree of resting proxies. Left to itself Bullet files a new body
// in its tree of moving proxies, searches it against every box it overlaps,
// static ones included, and moves it to the resting tree a step or two later;
// 20,000 boxes in a row took 15 s that way and take 0.3 s this way.
//
// This is the only code that reaches into Bullet's broadphase internals
// (btDbvtBroadphase::m_sets, m_stageRoots, m_deferedcollide, m_paircache and
// the proxies' stage lists). It was written against Bullet 3.24 as Debian 12
// packages it (libbullet-dev 3.24) and copies what btDbvtBroadphase.cpp of that
// version does when it retires a proxy to the resting tree.
// tests/sim/RestingTreeFilerTest.cpp fails when the version or that behaviour changes.
class RestingTreeFiler {
public:
    // Both must outlive the filer; `broadphase` is the world's.
    RestingTreeFiler(btDiscreteDynamicsWorld& world, btDbvtBroadphase& broadphase);

    // Adds a body that never moves (mass 0) with its collision group and mask.
    // It is paired with the moving bodies it overlaps now; resting ones meet it
    // when they wake and move.
    void addStaticBody(btRigidBody* body, int group, int mask);

private:
    btDiscreteDynamicsWorld& world;
    btDbvtBroadphase& broadphase;
    int rebalanceAt = 0;  // resting-tree size at which it is next rebuilt
};
