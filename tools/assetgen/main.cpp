// assetgen: writes every texture, animation frame, model, icon, sound and music
// file of Vaultrise into an asset directory. Usage: assetgen <output assets dir>
// The output depends on nothing but this code (fixed seeds, no clock, one
// thread), so regenerating reproduces the committed files byte for byte.
#include <filesystem>
#include <iostream>

#include "Models.h"
#include "Painters.h"
#include "Sounds.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cout << "Usage: assetgen <output assets dir>\n";
        return 2;
    }
    namespace fs = std::filesystem;
    const std::string root = argv[1];
    const std::string textures = root + "/textures", models = root + "/models", icons = root + "/icons";
    const std::string sounds = root + "/sounds", music = root + "/music";
    std::error_code error;
    fs::create_directories(textures, error);
    fs::create_directories(models, error);
    fs::create_directories(icons, error);
    fs::create_directories(sounds, error);
    fs::create_directories(music, error);

    bool ok = writeSingleTextures(textures);
    ok &= writeAnimatedTextures(textures);
    ok &= writeModelTextures(models);
    ok &= writeAstronaut(models);
    ok &= writeBeet(models);
    ok &= writeFlag(models);
    ok &= writeSounds(sounds);
    ok &= writeMusic(music);
    ok &= writeIcons(icons);
    if (!ok) {
        std::cout << "assetgen: some files could not be written\n";
        return 1;
    }
    return 0;
}
