#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <sstream>
#include <tuple>

#include "sim/gameplay/Character.h"
#include "sim/gameplay/GameManager.h"
#include "sim/level/LevelDescription.h"
#include "sim/gameplay/VoidState.h"
#include "sim/level/Level.h"
#include "sim/level/LevelFactory.h"
#include "support/TestWorld.h"

namespace {

// A level built from its file and the settings' element catalogue; lines go to t.log.
struct Built {
    Built(const std::string& levelText, const std::string& settingsText = "", const std::string& setting = "0")
        : settings(IniFile::fromText(settingsText)), t(levelText, &manager), factory(t.world.get(), &settings, t.log),
          level(buildLevel(*t.levelFile, setting, factory, voidState, t.log))
    {
    }
    IniFile settings;
    VoidState voidState{5.0f, true};
    std::ostringstream managerLog;
    GameManager manager{voidState, managerLog};
    TestWorld t;
    LevelFactory factory;
    std::unique_ptr<Level> level;
};

}  // namespace

TEST(Level, AFileListingNoBoxesStillGetsTheFloorGoalPadVoidAndPowerUp)
{
    Built b("[general]\nname = Crater\n[goal]\ngoalX = 10\ngoalY = 40\ngoalZ = -3\n[world]\nvoidSpeed = 2\n"
            "[platforms]\ntotal = -1\nplatform0x = 5\n[walls]\ntotal = 0\nwall0x = 5\n",
            "[elements]\ngoalX = 4\ngoalY = 8\ngoalZ = 2\n", "3");
    const Level& level = *b.level;
    ASSERT_EQ(level.platforms.size(), 1u);
    const Platform& floor = level.platforms[0];
    EXPECT_EQ(std::tuple(floor.halfExtents, floor.kind), std::tuple(glm::vec3(5, 0.5f, 5), ObjectKind::Floor));
    // The renderer gets the boxes as kinds, sizes and placements, the screens tilted as they are drawn.
    const LevelDescription d = describeLevel(level);
    ASSERT_EQ(d.boxes.size(), 5u);
    EXPECT_EQ(std::tuple(d.platformCount, d.boxes[0].kind, d.boxes[d.voidBox].kind, d.boxes[d.goalPadBox].kind,
                         d.boxes[d.frontScreenBox].kind, d.boxes[d.backScreenBox].kind),
              std::tuple(1u, ObjectKind::Floor, ObjectKind::Void, ObjectKind::GoalPad, ObjectKind::FrontScreen,
                         ObjectKind::BackScreen));
    EXPECT_EQ(std::tuple(d.boxes[d.voidBox].halfExtents, d.boxes[d.goalPadBox].halfExtents),
              std::tuple(glm::vec3(300, 0.01f, 100), glm::vec3(5, 0.1f, 5)));
    EXPECT_EQ(d.boxes[d.frontScreenBox].placement, level.frontScreen->drawMatrix());
    EXPECT_NE(d.boxes[d.frontScreenBox].placement, level.frontScreen->geometry.model) << "tilted";
    EXPECT_EQ(std::tuple(level.voidHandler->speed, b.voidState.voidHeight, b.voidState.powerUpUsed),
              std::tuple(0.02f, -10.0f, false));
    EXPECT_EQ(level.powerUp->position, glm::vec3(-10, 32, 5));
    EXPECT_EQ(level.powerUp->actor->getUserIndex2(), static_cast<int>(BodyTag::PowerUp)) << "the trigger is tagged";
    EXPECT_EQ(std::tuple(level.label, b.t.log.str()), std::tuple(std::string("3 [Crater]"), std::string()));

    const Goal& goal = *level.goal;
    EXPECT_EQ(std::tuple(goal.geometry.position, goal.geometry.size, level.goalPad->position),
              std::tuple(glm::vec3(10, 40, -3), glm::vec3(4, 8, 2), glm::vec3(10, 37.5f, -3)));
    // Reached strictly inside the goal's X half size only, whatever its other sizes.
    for (const auto& [dy, reached] : {std::pair{1.99f, true}, {2.0f, false}, {3.0f, false}})
        EXPECT_EQ(goalReached(goal, glm::vec3(10, 40 + dy, -3)), reached) << dy;
    btRigidBody* box = b.t.world->createDynamicBox({14, 45, -3}, glm::vec3(1), 0.5f, {}, 0.5f);
    EXPECT_EQ(b.t.world->raycast({11, 45, -3}, {0, -1, 0}, 100.0f).object, level.goalPad->actor)
        << "rays pass the goal and find the pad";
    b.t.step(60);
    EXPECT_LT(PhysicsWorld::positionOf(box).y, 30.0f) << "the pad at y = 37.5 does not hold it";
}

TEST(Level, EntriesComeInFileOrderWithTheirCatalogueSizeAndColourThenTheFloor)
{
    Built b("[world]\ndimensionX = 100\ndimensionZ = 60\n[platforms]\ntotal = 4\nplatform0x = 1\nplatform0y = 2\n"
            "platform0z = 3\nplatform0type = long\nplatform2z = -0.001\nplatform3type = nosuch\n"
            "[walls]\ntotal = 2\nwall0type = long\nwall1z = 0.001\n",
            "[elements]\nplat_longX = 10\nplat_longY = 2\nplat_longZ = 4\nplat_regularX = 6\nplat_regularY = 1\n"
            "plat_regularZ = 3\nwall_longY = 40\n");
    using K = ObjectKind;
    const struct { glm::vec3 position, halfExtents; bool blue; ObjectKind kind; } rows[] = {
        {{1, 2, 3}, {5, 1, 2}, true, K::Platform},
        {{0, 0, 0}, {3, 0.5f, 1.5f}, false, K::Platform},  // missing entries are regular boxes at the origin
        {{0, 0, -0.001f}, {3, 0.5f, 1.5f}, false, K::Platform},
        {{0, 0, 0}, {0.5f, 0.5f, 0.5f}, false, K::Platform},  // an unknown type is a unit box
        {{0, 0, 0}, {0.5f, 20, 0.5f}, false, K::Wall},        // walls use their own catalogue
        {{0, 0, 0.001f}, {0.5f, 0.5f, 0.5f}, true, K::Wall},
        {{0, 0, 0}, {50, 0.5f, 30}, false, K::Floor},  // the floor spans the world's dimensions
    };
    const auto& p = b.level->platforms;
    ASSERT_EQ(p.size(), std::size(rows));
    for (size_t i = 0; i < p.size(); ++i)
        EXPECT_EQ(std::tuple(p[i].position, p[i].halfExtents, p[i].isBlue, p[i].kind),
                  std::tuple(rows[i].position, rows[i].halfExtents, rows[i].blue, rows[i].kind))
            << i;
    EXPECT_EQ(b.t.world->raycast({1, 20, 3}, {0, -1, 0}, 100.0f).object, p[0].actor) << "boxes collide where drawn";
}

TEST(Level, CountsAreCappedAndUnusableNumbersAreReportedOnceEach)
{
    Built capped("[platforms]\ntotal = 20000\n[walls]\ntotal = 0x7fffffff\n");
    EXPECT_EQ(std::tuple(capped.level->platforms.size(), capped.level->label),
              std::tuple(2 * kMaxLevelEntries + 1, std::string("0 [---]")));
    EXPECT_EQ(capped.t.log.str(), "Level: platforms total 20000 is above the limit of 10000, building 10000\n"
                                  "Level: walls total 2147483647 is above the limit of 10000, building 10000\n");

    Built b("[world]\ndimensionZ = nan\ncharStartY = inf\n[physics]\ngravity = nan\n[goal]\ngoalY = -inf\n[platforms]\n"
            "total = 3\nplatform0x = nan\nplatform1y = 4\nplatform2z = inf\n[walls]\ntotal = 2\nwall0type = huge\n",
            "[elements]\nwall_hugeY = 1e999\ngoalX = nan\n");
    EXPECT_EQ(b.level->platforms.size(), 3u) << "platform1, wall1 and the floor";
    EXPECT_EQ(b.factory.createCharacter().getPosition(), glm::vec3(0, 50, 5));
    EXPECT_EQ(b.t.log.str(), "PhysicsWorld: world dimensionZ is not a finite number, using 10\n"
                             "PhysicsWorld: physics gravity is not a finite number, using 50\n"
                             "Level: platform0 has a position or size that is not a finite number, skipped\n"
                             "Level: platform2 has a position or size that is not a finite number, skipped\n"
                             "Level: wall0 has a position or size that is not a finite number, skipped\n"
                             "Level: goal goalY is not a finite number, using 0\n"
                             "LevelFactory: elements goalX is not a finite number, using 1\n"
                             "PhysicsWorld: world charStartY is not a finite number, using 50\n");
}

TEST(Level, FiniteValuesOutOfRangeFallBackWithOneLineEachAndAnUnreadableFileIsNamed)
{
    Built b("[world]\ndimensionX = -120\nvoidSpeed = -1e7\ncharStartX = 2e6\n[physics]\ngravity = 1e38\n"
            "[goal]\ngoalX = 1e30\n[platforms]\ntotal = 3\nplatform0type = flat\nplatform1type = flat\n"
            "platform2x = 1e7\n",
            "[elements]\nplat_flatY = 0\ngoalZ = -1\n");
    const auto& p = b.level->platforms;
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(std::tuple(p[1].halfExtents, p[2].position, p[3].halfExtents, b.t.world->gravity),
              std::tuple(glm::vec3(0.5f), glm::vec3(0), glm::vec3(5, 0.5f, 5), 50.0f));
    EXPECT_EQ(std::tuple(b.level->goal->geometry.position.x, b.level->goal->geometry.size.z), std::tuple(0.0f, 1.0f));
    EXPECT_EQ(b.factory.createCharacter().getPosition().x, 0.0f);
    EXPECT_EQ(b.t.log.str(), "PhysicsWorld: world dimensionX -120 is not a positive size, using 10\n"
                             "PhysicsWorld: physics gravity 1e+38 is outside -10000 to 10000, using 50\n"
                             "Level: elements plat_flatY 0 is not a positive size, using 1\n"
                             "Level: platforms platform2x 1e+07 is outside -1000000 to 1000000, using 0\n"
                             "Level: goal goalX 1e+30 is outside -1000000 to 1000000, using 0\n"
                             "LevelFactory: elements goalZ -1 is not a positive size, using 1\n"
                             "Level: world voidSpeed -1e+07 is outside -1000000 to 1000000, using 1\n"
                             "PhysicsWorld: world charStartX 2e+06 is outside -1000000 to 1000000, using 0\n");

    std::ostringstream log;
    EXPECT_FALSE(openLevelFile("/nonexistent/level7.ini", log).readable());
    EXPECT_EQ(log.str(), "Level: cannot read /nonexistent/level7.ini, the level is left empty\n");
}
