#include "sim/ghost/ClosestApproach.h"

#include <algorithm>

void ClosestApproach::add(float playTime, float distance)
{
    if (records.empty() || distance < records.back().distance) records.push_back({playTime, distance});
}

std::optional<float> ClosestApproach::firstWithin(float distance) const
{
    // The distances fall along the list: the first record at or under `distance`.
    const auto found = std::partition_point(records.begin(), records.end(),
                                            [distance](const Record& r) { return r.distance > distance; });
    if (found == records.end()) return std::nullopt;
    return found->playTime;
}

std::optional<float> ClosestApproach::closest() const
{
    if (records.empty()) return std::nullopt;
    return records.back().distance;
}

std::optional<float> ClosestApproach::closestAt() const
{
    if (records.empty()) return std::nullopt;
    return records.back().playTime;
}

std::optional<float> raceGap(const ClosestApproach& player, float playerTime, float playerDistance,
                             const ClosestApproach& ghost)
{
    if (const auto ghostTime = ghost.firstWithin(playerDistance)) return playerTime - *ghostTime;
    const auto ghostBest = ghost.closest();
    if (!ghostBest) return std::nullopt;
    const auto playerTimeThere = player.firstWithin(*ghostBest);
    if (!playerTimeThere) return std::nullopt;
    return *playerTimeThere - *ghost.closestAt();
}
