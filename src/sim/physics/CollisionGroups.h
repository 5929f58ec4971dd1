#pragma once

// Broadphase groups and masks. Bullet pairs two proxies when each one's group is
// in the other's mask; ray casts and trigger scans use the two query bits the
// same way, so a body is hit by rays only if its mask holds kRayQuery and is
// reported to triggers only if its mask holds kTriggerQuery.
namespace collision {

inline constexpr int kStatic = 1 << 0;
inline constexpr int kDynamic = 1 << 1;
inline constexpr int kCharacter = 1 << 2;
inline constexpr int kTrigger = 1 << 3;
inline constexpr int kDisabled = 1 << 4;
inline constexpr int kRayQuery = 1 << 5;
inline constexpr int kTriggerQuery = 1 << 6;

// Static solids never pair with each other, so static against static costs nothing.
inline constexpr int kStaticMask = kDynamic | kCharacter | kRayQuery;
inline constexpr int kDynamicMask = kStatic | kDynamic | kCharacter | kRayQuery | kTriggerQuery;
// The character's sphere is never in front of its own ground ray.
inline constexpr int kCharacterMask = kStatic | kDynamic | kTriggerQuery;
// Triggers pair with nothing in the broadphase; they are scanned after each step.
inline constexpr int kTriggerMask = 0;

// Role bits kept in a body's user index.
inline constexpr int kRoleTrigger = 1 << 0;
inline constexpr int kRoleCharacter = 1 << 1;
inline constexpr int kRoleDisabled = 1 << 2;

}  // namespace collision
