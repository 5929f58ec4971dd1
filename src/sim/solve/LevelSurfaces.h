#pragma once
#include <optional>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

class GameSession;

// The boxes of a built level by their top faces, with the places a run must
// reach: what the solver knows of a level. Taken from the session the game
// built from the level file and the element catalogue, so it sees exactly the
// boxes a player collides with.
struct LevelSurfaces {
    struct Surface {
        std::string name;  // "platform3", "wall1", "the floor"
        glm::vec3 centre{0.0f}, half{0.0f};
        float top() const { return centre.y + half.y; }
        // Horizontal distance from the top face to (x, z): 0 above it.
        float gapTo(float x, float z) const;
        float gapTo(const Surface& other) const;
    };

    std::vector<Surface> surfaces;
    glm::vec3 goal{0.0f};
    float goalRadius = 1.0f;  // a win needs the sphere's centre closer than this
    std::optional<glm::vec3> powerUp;
    float gravity = 50.0f;
    float lowestTop = 0.0f;

    static LevelSurfaces of(const GameSession& session);

    // The surface a character of radius 1 at `p` stands on (its bottom within
    // `slack` of the top, its centre over the top face or just past its edge).
    std::optional<size_t> standingOn(const glm::vec3& p, float slack = 0.4f) const;
    // The highest top under (x, z), if any.
    std::optional<size_t> topUnder(float x, float z) const;
};
