// The desktop's pictures folder from user-dirs.dirs, as xdg-user-dirs writes it.
#include <gtest/gtest.h>

#include "core/UserDirs.h"

namespace fs = std::filesystem;

TEST(UserDirs, ThePicturesFolderIsReadAsTheShellWouldSourceTheFile)
{
    struct Case {
        std::string text;
        std::optional<fs::path> pictures;
    };
    const Case cases[] = {
        {"# This file is written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
         "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n",
         fs::path("/home/p/Bilder")},
        {"XDG_PICTURES_DIR=\"/srv/shared pictures\"\n", fs::path("/srv/shared pictures")},
        {"  XDG_PICTURES_DIR = \"$HOME/Images\"  \r\n", fs::path("/home/p/Images")},
        {"XDG_PICTURES_DIR=\"$HOME/a\"\nXDG_PICTURES_DIR=\"$HOME/b\"\n", fs::path("/home/p/b")},  // the last wins
        {"XDG_PICTURES_DIR=\"$HOME//Fotos\\\"x\"\n", fs::path("/home/p/Fotos\"x")},
        {"XDG_PICTURES_DIR=\"$HOME/\"\n", std::nullopt},  // the desktop's "no such folder"
        {"XDG_PICTURES_DIR=\"$HOMEWORK/x\"\n", std::nullopt},
        {"XDG_PICTURES_DIR=\"relative/x\"\n", std::nullopt},
        {"# XDG_PICTURES_DIR=\"$HOME/commented\"\n", std::nullopt},
        {"XDG_PICTURES_DIRS=\"$HOME/other\"\nXDG_MUSIC_DIR=\"$HOME/Musik\"\n", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(userDirFromText(c.text, "XDG_PICTURES_DIR", "/home/p"), c.pictures) << c.text;
    EXPECT_EQ(userDirFromText("XDG_PICTURES_DIR=\"$HOME/Bilder\"\n", "XDG_PICTURES_DIR", nullptr), std::nullopt)
        << "no home to put it in";
}

