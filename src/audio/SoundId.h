#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

// Every one-shot sound the game plays, and the file it is read from
// (under <assetPath>/sounds).
enum class SoundId : uint8_t {
    Jump,
    DoubleJump,
    Landing,
    Bump,
    PowerUp,
    Goal,
    NewBest,
    VoidReached,
    Pause,
    Resume,
    Restart,
    Ready,
    MenuMove,
    MenuSelect,
    MenuBack,
    Count,
};

inline constexpr std::size_t kSoundCount = static_cast<std::size_t>(SoundId::Count);

inline constexpr std::array<const char*, kSoundCount> kSoundFiles = {
    "jump.wav",  "double_jump.wav", "landing.wav", "bump.wav",        "powerup.wav",
    "goal.wav",  "new_best.wav",    "void_reached.wav", "pause.wav",  "resume.wav",
    "restart.wav", "ready.wav",     "menu_move.wav", "menu_select.wav", "menu_back.wav",
};

// The two loops that play while their level is above zero, and the music.
inline constexpr const char* kRollLoopFile = "roll_loop.wav";
inline constexpr const char* kVoidHumLoopFile = "void_hum_loop.wav";
inline constexpr const char* kMusicFile = "theme_loop.flac";  // under <assetPath>/music

inline constexpr std::size_t index(SoundId id) { return static_cast<std::size_t>(id); }
