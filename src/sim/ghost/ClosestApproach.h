#pragma once
#include <optional>
#include <vector>

// How a run closed in on the goal: the play times at which it came closer
// than ever before, with those distances. Answers when the run first came
// within a distance without keeping every frame.
class ClosestApproach {
public:
    // The run is `distance` from the goal at `playTime` (play times never decrease).
    void add(float playTime, float distance);
    // The first play time at which the run was `distance` or closer; nullopt
    // when it has not been that close yet.
    std::optional<float> firstWithin(float distance) const;
    // The closest the run has come, and when; nullopt before the first add.
    std::optional<float> closest() const;
    std::optional<float> closestAt() const;

private:
    struct Record {
        float playTime, distance;
    };
    std::vector<Record> records;  // distances strictly falling
};

// The gap between the player and the ghost, in seconds of play time at the
// same progress (negative: the player is ahead). While the ghost has already
// come as close to the goal as the player is now, it is the player's play time
// minus the play time at which the ghost first did. A player closer than the
// ghost has yet been is measured the other way round, since the ghost's
// future is not played yet: the play time at which the player first came as
// close as the ghost has come, minus the ghost's play time when it did.
std::optional<float> raceGap(const ClosestApproach& player, float playerTime, float playerDistance,
                             const ClosestApproach& ghost);
