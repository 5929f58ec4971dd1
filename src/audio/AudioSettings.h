#pragma once
#include <iosfwd>

class IniFile;

// The settings' [audio] section. Without it the game is silent and opens no
// audio device, as it always was.
struct AudioSettings {
    bool enabled = false;
    float volume = 0.8f;   // master, 0 to 1
    float effects = 1.0f;  // effects and the two loops, 0 to 1
    float music = 1.0f;    // 0 to 1

    // A level that is not a finite number from 0 to 1 gets one line and its default.
    static AudioSettings read(const IniFile& settings, std::ostream& log);
};
