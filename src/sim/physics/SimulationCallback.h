#pragma once
#include <cstdint>

class btCollisionObject;

// What a body is to the game, where it matters: the trigger reports say it so
// that a touch can be told apart without pointing back into gameplay objects.
enum class BodyTag : int { None = 0, PowerUp = 1 };

// One trigger report: a trigger shape began or stopped overlapping another
// body's simulation shape during the last step.
struct TriggerPair {
    const btCollisionObject* triggerBody = nullptr;
    BodyTag triggerTag = BodyTag::None;
    const btCollisionObject* otherBody = nullptr;
    BodyTag otherTag = BodyTag::None;
    bool touchFound = true;  // false: touch lost
};

// Receives trigger reports on the calling thread, inside fetchSimulationResults.
class SimulationCallback {
public:
    virtual ~SimulationCallback() = default;
    virtual void onTrigger(const TriggerPair* pairs, uint32_t count) = 0;
};
