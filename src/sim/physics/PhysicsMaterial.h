#pragma once

// Surface response of a shape. Two touching materials combine as the average
// of their dynamic frictions and the average of their restitutions.
struct PhysicsMaterial {
    float staticFriction = 0.0f;
    float dynamicFriction = 0.0f;
    float restitution = 0.0f;
};
