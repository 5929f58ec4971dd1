// The HUD's values and where each line goes on the screen.
#include <gtest/gtest.h>

#include <tuple>

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
    const struct {
        float distance, voidHeight;
        const char *distanceText, *voidText;
    } cases[] = {
        {123.456f, -10.0f, "12.34", "-1.0"},
        {0.0f, 0.0f, "0.00", "0.0"},
        {19.999f, 9.99f, "1.99", "0.9"},  // 2.00 and 1.0 if rounded
        {123456.0f, 2500.0f, "12345.60", "250.0"},
    };
    HudState hud;
    for (const auto& c : cases) {
        hud.update("3 [Tower]", c.distance, c.voidHeight);
        EXPECT_EQ(hud.distanceText(), c.distanceText);
        EXPECT_EQ(hud.voidText(), c.voidText);
    }
    EXPECT_EQ(cutDecimals(-0.05f, 1), "-0.0");
    EXPECT_EQ(cutDecimals(1.0e20f, 2), "100000002004087734272.00");
    EXPECT_EQ(cutDecimals(7.0f, 0), "7.");
}

TEST(HudState, PlayingLayoutUsesTheTwoColumnsAndRowFractions)
{
    EXPECT_EQ(textsOf(HudState{}.lines(1920.0f, 1080.0f)),
              (std::vector<std::string>{"LEVEL", "0", "REMAINING DISTANCE", "0.00", "VOID LEVEL", "0.0"}));
    HudState hud;
    hud.update("1 [First]", 500.0f, 12.0f);
    const std::vector<HudLine> lines = hud.lines(1920.0f, 1080.0f);
    const float left = 0.05f * 1920.0f - 32.0f, right = 0.95f * 1920.0f - 180.0f;
    const struct {
        const char* text;
        float x, y, scale;
    } expected[] = {
        {"LEVEL", left, 1026.0f, 0.5f},         {"1 [First]", left, 972.0f, 1.0f},
        {"REMAINING DISTANCE", right, 1026.0f, 0.5f}, {"50.00", right, 972.0f, 1.0f},
        {"VOID LEVEL", right, 918.0f, 0.5f},    {"1.2", right, 864.0f, 1.0f},
    };
    ASSERT_EQ(lines.size(), std::size(expected));
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(std::tuple(lines[i].text, lines[i].x, lines[i].y, lines[i].scale, lines[i].colour),
                  std::tuple(expected[i].text, expected[i].x, expected[i].y, expected[i].scale, glm::vec3(1.0f)));
    // Fractions of the screen are taken in double precision: for 777 x 333 the
    // float products differ (0.05 x 777: 38.8500023 against 38.8499985).
    const std::vector<HudLine> odd = hud.lines(777.0f, 333.0f);
    // Text and insets scale with the height (333 / 1080 here).
    const float fit = 333.0f / 1080.0f;
    EXPECT_EQ(odd[0].x, static_cast<float>(0.05 * 777.0) - fit * 32.0f);
    EXPECT_EQ(odd[2].x, static_cast<float>(0.95 * 777.0) - fit * 180.0f);
    EXPECT_EQ(odd[1].scale, fit);
    EXPECT_EQ(odd[4].y, static_cast<float>(0.85 * 333.0));
    EXPECT_NE(odd[4].y, 0.85f * 333.0f);
}

TEST(HudState, AfterTheGameOnlyGameOverAndTheOutcome)
{
    HudState hud;
    hud.playing = false;
    hud.won = true;
    const std::vector<HudLine> lines = hud.lines(320.0f, 180.0f);
    ASSERT_EQ(textsOf(lines), (std::vector<std::string>{"GAME OVER", "AWESOME, YOU COMPLETED THE LEVEL!"}));
    EXPECT_FLOAT_EQ(lines[0].x, 0.05f * 320.0f - 32.0f / 6.0f);
    EXPECT_FLOAT_EQ(lines[0].scale, 0.5f / 6.0f);
    EXPECT_FLOAT_EQ(lines[1].scale, 1.0f / 6.0f);
    EXPECT_FLOAT_EQ(lines[1].y, static_cast<float>(0.90 * 180.0));
    hud.won = false;
    EXPECT_EQ(textsOf(hud.lines(320.0f, 180.0f)), (std::vector<std::string>{"GAME OVER", "YOU WERE SUCKED IN BY THE VOID!"}));
}
