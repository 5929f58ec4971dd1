// The platform's table from the game's keyboard keys to GLFW's key codes.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include <set>

#include "platform/GlfwKeyCodes.h"
#include "sim/settings/KeyNames.h"

TEST(GlfwKeyCodes, EveryNamedKeyIsTheGlfwKeyOfThatNameAndNoTwoShareACode)
{
    const std::pair<const char*, int> named[] = {
        {"Z", GLFW_KEY_Z}, {"q", GLFW_KEY_Q}, {"0", GLFW_KEY_0}, {"9", GLFW_KEY_9}, {"space", GLFW_KEY_SPACE},
        {"F1", GLFW_KEY_F1}, {"f25", GLFW_KEY_F25}, {"KP_0", GLFW_KEY_KP_0}, {"kp_9", GLFW_KEY_KP_9},
        {"KP_ENTER", GLFW_KEY_KP_ENTER}, {"LEFT_SHIFT", GLFW_KEY_LEFT_SHIFT}, {"up", GLFW_KEY_UP},
        {"GRAVE_ACCENT", GLFW_KEY_GRAVE_ACCENT}, {"WORLD_2", GLFW_KEY_WORLD_2}, {"MENU", GLFW_KEY_MENU},
        {"ESCAPE", GLFW_KEY_ESCAPE}, {"TAB", GLFW_KEY_TAB}, {"F12", GLFW_KEY_F12}};
    for (const auto& [name, code] : named) {
        const auto key = keyNamed(name);
        ASSERT_TRUE(key) << name;
        EXPECT_EQ(glfwKeyCode(*key), code) << name;
    }
    std::set<int> codes;
    for (size_t k = 1; k < static_cast<size_t>(KeyboardKey::Count); ++k) {
        const int code = glfwKeyCode(static_cast<KeyboardKey>(k));
        EXPECT_NE(code, GLFW_KEY_UNKNOWN) << k;
        EXPECT_TRUE(codes.insert(code).second) << keyNameOf(static_cast<KeyboardKey>(k));
    }
    EXPECT_EQ(glfwKeyCode(KeyboardKey::None), GLFW_KEY_UNKNOWN);
}
