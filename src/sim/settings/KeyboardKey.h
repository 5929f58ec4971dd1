#pragma once
#include <cstdint>

// The keyboard's keys as the game names them, whatever window system reads
// them: the settings' [controls] section binds actions to these, and the
// platform layer alone knows each one's code in the window system.
// `None` is an action without a key.
enum class KeyboardKey : uint8_t {
    None,
    A, B, C, D, E, F, G, H,
    I, J, K, L, M, N, O, P,
    Q, R, S, T, U, V, W, X,
    Y, Z, Digit0, Digit1, Digit2, Digit3, Digit4, Digit5,
    Digit6, Digit7, Digit8, Digit9, F1, F2, F3, F4,
    F5, F6, F7, F8, F9, F10, F11, F12,
    F13, F14, F15, F16, F17, F18, F19, F20,
    F21, F22, F23, F24, F25, Keypad0, Keypad1, Keypad2,
    Keypad3, Keypad4, Keypad5, Keypad6, Keypad7, Keypad8, Keypad9, Space,
    Apostrophe, Comma, Minus, Period, Slash, Semicolon, Equal, LeftBracket,
    Backslash, RightBracket, GraveAccent, World1, World2, Escape, Enter, Tab,
    Backspace, Insert, Delete, Right, Left, Down, Up, PageUp,
    PageDown, Home, End, CapsLock, ScrollLock, NumLock, PrintScreen, Pause,
    KeypadDecimal, KeypadDivide, KeypadMultiply, KeypadSubtract, KeypadAdd, KeypadEnter, KeypadEqual, LeftShift,
    LeftControl, LeftAlt, LeftSuper, RightShift, RightControl, RightAlt, RightSuper, Menu,
    Count
};
