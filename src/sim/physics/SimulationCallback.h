#pragma once
#include <cstdint>

class btCollisionObject;

// One trigger report: a trigger shape began or stopped overlapping another
// body's simulation shape during the last step.
struct TriggerPair {
    const btCollisionObject* triggerBody = nullptr;
    void* triggerUserData = nullptr;
    const btCollisionObject* otherBody = nullptr;
    void* otherUserData = nullptr;
    bool touchFound = true;  // false: touch lost
};

// Receives trigger reports on the calling thread, inside fetchSimulationResults.
class SimulationCallback {
public:
    virtual ~SimulationCallback() = default;
    virtual void onTrigger(const TriggerPair* pairs, uint32_t count) = 0;
};
