#pragma once

// The keys the game reads. The window layer maps them to its own key codes.
// P pauses; R (retry) and N (next level) end the session and are acted on by
// whoever runs the sessions, not by the frame logic.
enum class Key { W, A, S, D, Space, Tab, F1, F2, F3, F4, F8, Escape, P, R, N, Count };
