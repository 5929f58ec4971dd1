#include <gtest/gtest.h>

#include "sim/view/HudState.h"

namespace {

std::vector<std::string> textsOf(const std::vector<HudLine>& lines)
{
    std::vector<std::string> texts;
    for (const HudLine& line : lines) texts.push_back(line.text);
    return texts;
}

}  // namespace

TEST(HudState, NumbersAreScaledByATenthAndCutNotRounded)
{
    HudState hud;
    hud.update("3 [Tower]", 123.456f, -10.0f);
    EXPECT_EQ(hud.label, "3 [Tower]");
    EXPECT_EQ(hud.distanceText(), "12.34");
    EXPECT_EQ(hud.voidText(), "-1.0");

    hud.update("3 [Tower]", 0.0f, 0.0f);
    EXPECT_EQ(hud.distanceText(), "0.00");
    EXPECT_EQ(hud.voidText(), "0.0");

    // 1.99 and 0.99 would round up; they must be cut.
    hud.update("x", 19.999f, 9.99f);
    EXPECT_EQ(hud.distanceText(), "1.99");
    EXPECT_EQ(hud.voidText(), "0.9");

    hud.update("x", 123456.0f, 2500.0f);
    EXPECT_EQ(hud.distanceText(), "12345.60");
    EXPECT_EQ(hud.voidText(), "250.0");
    EXPECT_EQ(cutDecimals(-0.05f, 1), "-0.0");
    EXPECT_EQ(cutDecimals(1.0e20f, 2), "100000002004087734272.00");
    EXPECT_EQ(cutDecimals(7.0f, 0), "7.");
}

TEST(HudState, StartsPlayingWithLabelZeroAndZeroValues)
{
    const HudState hud;
    EXPECT_TRUE(hud.playing);
    EXPECT_FALSE(hud.won);
    EXPECT_EQ(textsOf(hud.lines(1920.0f, 1080.0f)),
              (std::vector<std::string>{"LEVEL", "0", "REMAINING DISTANCE", "0.00", "VOID LEVEL", "0.0"}));
}

TEST(HudState, PlayingLayoutUsesTheTwoColumnsAndRowFractions)
{
    HudState hud;
    hud.update("1 [First]", 500.0f, 12.0f);
    const std::vector<HudLine> lines = hud.lines(1920.0f, 1080.0f);
    ASSERT_EQ(lines.size(), 6u);

    const float left = 0.05f * 1920.0f - 32.0f;    // 64
    const float right = 0.95f * 1920.0f - 180.0f;  // 1644
    const struct {
        const char* text;
        float x, y, scale;
    } expected[] = {
        {"LEVEL", left, 1026.0f, 0.5f},
        {"1 [First]", left, 972.0f, 1.0f},
        {"REMAINING DISTANCE", right, 1026.0f, 0.5f},
        {"50.00", right, 972.0f, 1.0f},
        {"VOID LEVEL", right, 918.0f, 0.5f},
        {"1.2", right, 864.0f, 1.0f},
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(lines[i].text, expected[i].text);
        EXPECT_FLOAT_EQ(lines[i].x, expected[i].x);
        EXPECT_FLOAT_EQ(lines[i].y, expected[i].y);
        EXPECT_FLOAT_EQ(lines[i].scale, expected[i].scale);
        EXPECT_EQ(lines[i].colour, glm::vec3(1.0f));
    }
}

TEST(HudState, FractionsOfTheScreenAreTakenInDoublePrecision)
{
    // For 777 × 333 the float products differ from the double ones rounded
    // to float (0.05 × 777: 38.8500023 against 38.8499985).
    const HudState hud;
    const std::vector<HudLine> lines = hud.lines(777.0f, 333.0f);
    EXPECT_EQ(lines[0].x, static_cast<float>(0.05 * 777.0) - 32.0f);
    EXPECT_EQ(lines[2].x, static_cast<float>(0.95 * 777.0) - 180.0f);
    EXPECT_EQ(lines[1].y, static_cast<float>(0.90 * 333.0));
    EXPECT_NE(lines[1].y, 0.9f * 333.0f);
    EXPECT_EQ(lines[4].y, static_cast<float>(0.85 * 333.0));
    EXPECT_NE(lines[4].y, 0.85f * 333.0f);
}

TEST(HudState, AfterAWinOnlyGameOverAndTheWinMessage)
{
    HudState hud;
    hud.update("2 [Peak]", 10.0f, 5.0f);
    hud.playing = false;
    hud.won = true;
    const std::vector<HudLine> lines = hud.lines(320.0f, 180.0f);
    ASSERT_EQ(textsOf(lines), (std::vector<std::string>{"GAME OVER", "AWESOME, YOU COMPLETED THE LEVEL!"}));
    EXPECT_FLOAT_EQ(lines[0].x, 0.05f * 320.0f - 32.0f);
    EXPECT_FLOAT_EQ(lines[0].scale, 0.5f);
    EXPECT_FLOAT_EQ(lines[1].scale, 1.0f);
    EXPECT_FLOAT_EQ(lines[1].y, static_cast<float>(0.90 * 180.0));
}

TEST(HudState, AfterALossTheVoidMessage)
{
    HudState hud;
    hud.playing = false;
    hud.won = false;
    EXPECT_EQ(textsOf(hud.lines(320.0f, 180.0f)),
              (std::vector<std::string>{"GAME OVER", "YOU WERE SUCKED IN BY THE VOID!"}));
}
