#include "sim/menu/MenuScreen.h"

const char* menuScreenTitle(MenuScreen screen)
{
    switch (screen) {
    case MenuScreen::Title: return "VAULTRISE";
    case MenuScreen::LevelSelect: return "LEVEL SELECT";
    case MenuScreen::Options: return "OPTIONS";
    case MenuScreen::Controls: return "CONTROLS";
    case MenuScreen::Pause: return "PAUSED";
    case MenuScreen::RunEnd: return "RUN OVER";
    }
    return "";
}
