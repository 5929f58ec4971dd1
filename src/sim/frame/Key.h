#pragma once

// The keys the game reads. The window layer maps them to its own key codes.
enum class Key { W, A, S, D, Space, Tab, F1, F2, F3, F4, F8, Escape, Count };
