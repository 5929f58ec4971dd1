#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <sstream>

#include "core/IniFile.h"
#include "sim/gameplay/Character.h"
#include "sim/gameplay/GameManager.h"
#include "sim/physics/PhysicsWorld.h"
#include "sim/gameplay/VoidState.h"
#include "sim/level/Level.h"
#include "sim/level/LevelFactory.h"
#include "support/CaptureStdout.h"
#include "support/TempIni.h"

namespace {

// Distinct texture names so every surface's texture can be told apart.
const LevelTextures kTextures{1, 2, 3, 4, 5, 6, 8, 9, 10};

// A level file, a settings file with its element catalogue, the world and
// everything construction produced.
struct Built {
    Built(const std::string& levelText, const std::string& settingsText = "", const std::string& setting = "0")
        : settings(writeTempIni(settingsText)),
          manager(false, "../assets", &voidState, log),
          t(levelText, &manager),
          factory("../assets", t.world.get(), &settings, log)
    {
        level = buildLevel(*t.levelFile, setting, factory, kTextures, voidState, manager, log);
    }
    std::ostringstream log;
    IniFile settings;
    VoidState voidState{5.0f, true};
    GameManager manager;
    TestWorld t;
    LevelFactory factory;
    std::unique_ptr<Level> level;
};

}  // namespace

TEST(Level, EmptyFileBuildsTheFixedFurniture)
{
    Built b("");
    const Level& level = *b.level;
    ASSERT_EQ(level.platforms.size(), 1u);
    const Platform& floor = level.platforms[0];
    EXPECT_EQ(floor.halfExtents, glm::vec3(5, 0.5f, 5));
    EXPECT_EQ(floor.position, glm::vec3(0));
    EXPECT_EQ(floor.geometry.texture, 2u);
    EXPECT_FALSE(floor.isAnimated);
    EXPECT_FALSE(floor.isBlue);

    ASSERT_TRUE(level.goal);
    EXPECT_EQ(level.goal->geometry.position, glm::vec3(0));
    EXPECT_EQ(level.goal->geometry.size, glm::vec3(1));
    EXPECT_EQ(level.goal->geometry.texture, 4u);
    ASSERT_TRUE(level.goalPad);
    EXPECT_EQ(level.goalPad->position, glm::vec3(0, -2.5f, 0));
    EXPECT_EQ(level.goalPad->halfExtents, glm::vec3(5, 0.1f, 5));
    EXPECT_EQ(level.goalPad->geometry.texture, 8u);

    EXPECT_EQ(level.voidPlane.size, glm::vec3(600, 0.02f, 200));
    EXPECT_EQ(level.voidPlane.texture, 3u) << "the void starts with the single laser texture, not a frame";
    ASSERT_TRUE(level.voidHandler);
    EXPECT_FLOAT_EQ(level.voidHandler->speed, 0.01f);
    EXPECT_EQ(b.manager.voidHandler, &*level.voidHandler);
    EXPECT_FLOAT_EQ(b.voidState.voidHeight, -10.0f);
    EXPECT_FALSE(b.voidState.powerUpUsed);

    ASSERT_TRUE(level.powerUp);
    EXPECT_EQ(level.powerUp->position, glm::vec3(-10, 32, 5));
    EXPECT_EQ(level.powerUp->actor->getUserPointer(), &*level.powerUp);

    ASSERT_TRUE(level.frontScreen && level.backScreen);
    EXPECT_EQ(level.frontScreen->position, glm::vec3(0, 50, 80));
    EXPECT_EQ(level.frontScreen->halfExtents, glm::vec3(160, 90, 0.1f));
    EXPECT_EQ(level.frontScreen->tiltAngle, 20.0f);
    EXPECT_EQ(level.frontScreen->geometry.texture, 9u);
    EXPECT_EQ(level.backScreen->position, glm::vec3(0, 50, -80));
    EXPECT_EQ(level.backScreen->tiltAngle, -20.0f);
    EXPECT_EQ(level.backScreen->geometry.texture, 10u);

    EXPECT_EQ(level.flagPlacement, glm::vec3(-5, 80, -25));
    EXPECT_EQ(level.label, "0 [---]");
    EXPECT_EQ(b.log.str(), "");
}

TEST(Level, LabelNamesTheSettingAndTheLevel)
{
    Built b("[general]\nname = Crater\n", "", "3");
    EXPECT_EQ(b.level->label, "3 [Crater]");
}

TEST(Level, EntriesAreIndependentAndMissingOnesAreRegularBoxesAtTheOrigin)
{
    Built b("[platforms]\ntotal = 3\nplatform0x = 1\nplatform0y = 2\nplatform0z = 3\nplatform0type = long\n"
            "platform2x = -4\nplatform2y = 5\nplatform2z = -6\n",
            "[elements]\nplat_longX = 10\nplat_longY = 2\nplat_longZ = 4\n"
            "plat_regularX = 6\nplat_regularY = 1\nplat_regularZ = 3\n");
    const auto& p = b.level->platforms;
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0].position, glm::vec3(1, 2, 3));
    EXPECT_EQ(p[0].halfExtents, glm::vec3(5, 1, 2));
    EXPECT_EQ(p[1].position, glm::vec3(0));
    EXPECT_EQ(p[1].halfExtents, glm::vec3(3, 0.5f, 1.5f));
    EXPECT_EQ(p[2].position, glm::vec3(-4, 5, -6));
    EXPECT_EQ(p[2].halfExtents, glm::vec3(3, 0.5f, 1.5f));
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(p[i].isAnimated);
    EXPECT_EQ(p[3].halfExtents, glm::vec3(5, 0.5f, 5)) << "the floor comes last";
    // The boxes collide where the file puts them.
    EXPECT_EQ(b.t.world->raycast({1, 20, 3}, {0, -1, 0}, 100.0f).object, p[0].actor);
}

TEST(Level, UnknownTypeGivesAUnitBox)
{
    Built b("[platforms]\ntotal = 1\nplatform0type = nosuch\n[walls]\ntotal = 1\nwall0type = nosuch\n",
            "[elements]\nplat_regularX = 6\n");
    ASSERT_EQ(b.level->platforms.size(), 3u);
    EXPECT_EQ(b.level->platforms[0].halfExtents, glm::vec3(0.5f));
    EXPECT_EQ(b.level->platforms[1].halfExtents, glm::vec3(0.5f));
}

TEST(Level, NegativeOrZeroTotalBuildsNothing)
{
    Built b("[platforms]\ntotal = -1\nplatform0x = 5\n[walls]\ntotal = 0\nwall0x = 5\n");
    EXPECT_EQ(b.level->platforms.size(), 1u);
    EXPECT_EQ(b.log.str(), "");
}

TEST(Level, TextureAndColourFollowTheSignOfZ)
{
    Built b("[platforms]\ntotal = 3\nplatform0z = 0\nplatform1z = 0.001\nplatform2z = -0.001\n"
            "[walls]\ntotal = 2\nwall0z = 0\nwall1z = 0.001\n");
    const auto& p = b.level->platforms;
    ASSERT_EQ(p.size(), 6u);
    EXPECT_EQ(p[0].geometry.texture, 6u);
    EXPECT_FALSE(p[0].isBlue);
    EXPECT_EQ(p[1].geometry.texture, 5u);
    EXPECT_TRUE(p[1].isBlue);
    EXPECT_EQ(p[2].geometry.texture, 6u);
    EXPECT_FALSE(p[2].isBlue);
    EXPECT_EQ(p[3].geometry.texture, 1u);
    EXPECT_FALSE(p[3].isBlue);
    EXPECT_FALSE(p[3].isAnimated);
    EXPECT_EQ(p[4].geometry.texture, 2u);
    EXPECT_TRUE(p[4].isBlue);
    EXPECT_FALSE(p[4].isAnimated);
}

TEST(Level, WallsUseTheirOwnCatalogueAndComeBeforeTheFloor)
{
    Built b("[world]\ndimensionX = 100\ndimensionZ = 60\n[platforms]\ntotal = 1\n[walls]\ntotal = 2\n"
            "wall0type = tall\nwall1x = 7\n",
            "[elements]\nwall_tallX = 2\nwall_tallY = 40\nwall_tallZ = 2\nplat_tallY = 99\n");
    const auto& p = b.level->platforms;
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[1].halfExtents, glm::vec3(1, 20, 1));
    EXPECT_EQ(p[2].position, glm::vec3(7, 0, 0));
    const Platform& floor = p.back();
    EXPECT_EQ(floor.halfExtents, glm::vec3(50, 0.5f, 30));
    EXPECT_EQ(b.t.world->raycast({49, 10, 29}, {0, -1, 0}, 100.0f).distance, 9.5f) << "top face at y = 0.5";
}

TEST(Level, GoalAndPadFollowTheGoalSection)
{
    Built b("[goal]\ngoalX = 10\ngoalY = 40\ngoalZ = -3\n[world]\nvoidSpeed = 2\n",
            "[elements]\ngoalX = 4\ngoalY = 8\ngoalZ = 2\n");
    EXPECT_EQ(b.level->goal->geometry.position, glm::vec3(10, 40, -3));
    EXPECT_EQ(b.level->goal->geometry.size, glm::vec3(4, 8, 2));
    EXPECT_EQ(b.level->goalPad->position, glm::vec3(10, 37.5f, -3));
    EXPECT_FLOAT_EQ(b.level->voidHandler->speed, 0.02f);
}

TEST(Level, PadAndScreensArePicturesOnly)
{
    Built b("[goal]\ngoalY = 20\n");
    btRigidBody* box = b.t.world->createDynamicBox({0, 25, 0}, glm::vec3(1), 0.5f, {1, 1, 0.5f}, 0.5f);
    EXPECT_EQ(b.t.world->raycast({0, 25, 0}, {0, -1, 0}, 100.0f).object, box);
    EXPECT_EQ(b.t.world->raycast({2, 25, 0}, {0, -1, 0}, 100.0f).object, b.level->goalPad->actor)
        << "rays still find the pad";
    b.t.step(60);
    EXPECT_LT(PhysicsWorld::positionOf(box).y, 10.0f) << "the pad at y = 17.5 does not hold it";
}

TEST(Level, EntryCountsAreCappedAtTheLimit)
{
    Built b("[platforms]\ntotal = 20000\n[walls]\ntotal = 0x7fffffff\n");
    EXPECT_EQ(b.level->platforms.size(), static_cast<size_t>(2 * kMaxLevelEntries + 1));
    const std::string log = b.log.str();
    EXPECT_NE(log.find("platforms total 20000"), std::string::npos) << log;
    EXPECT_NE(log.find("10000"), std::string::npos);
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2);
}

TEST(Level, EntriesWithNonFiniteNumbersAreSkipped)
{
    Built b("[platforms]\ntotal = 3\nplatform0x = nan\nplatform1y = 4\nplatform2z = inf\nplatform2type = odd\n"
            "[walls]\ntotal = 2\nwall0type = huge\n[goal]\ngoalY = -inf\n",
            "[elements]\nwall_hugeY = 1e999\n");
    const auto& p = b.level->platforms;
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].position, glm::vec3(0, 4, 0));
    EXPECT_EQ(p[1].position, glm::vec3(0)) << "wall1";
    const std::string log = b.log.str();
    EXPECT_NE(log.find("platform0 "), std::string::npos) << log;
    EXPECT_NE(log.find("platform2 "), std::string::npos) << log;
    EXPECT_NE(log.find("wall0 "), std::string::npos) << log;
    EXPECT_NE(log.find("goalY"), std::string::npos) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4);
    EXPECT_EQ(b.level->goal->geometry.position, glm::vec3(0));
    for (const Platform& platform : p) {
        const glm::vec3 at = PhysicsWorld::positionOf(platform.actor);
        EXPECT_TRUE(std::isfinite(at.x) && std::isfinite(at.y) && std::isfinite(at.z));
    }
}

TEST(Level, CharacterStartsAtHalfTheDepthByDefault)
{
    Built b("[world]\ndimensionZ = 44\n");
    Character character = b.factory.createCharacter();
    EXPECT_EQ(character.getPosition(), glm::vec3(0, 50, 22));
    EXPECT_EQ(character.body, b.t.world->characterBody);
}
