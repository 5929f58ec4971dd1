#pragma once
#include <iosfwd>
#include <limits>

class IniFile;

// The values a number read from a file may take beyond being finite: within
// [lowest, highest], and above zero when `positive` is set.
struct FloatLimits {
    float lowest = -std::numeric_limits<float>::max();
    float highest = std::numeric_limits<float>::max();
    bool positive = false;
};

// Any finite number.
inline constexpr FloatLimits kAnyFinite{};
// Positions, speeds and brightness: far beyond any level, yet small enough that
// sums and squares of them stay finite in single precision.
inline constexpr FloatLimits kWorldCoordinate{-1.0e6f, 1.0e6f, false};
// Sizes and dimensions: a box of zero or negative size has no solid surface.
inline constexpr FloatLimits kWorldSize{0.0f, 1.0e6f, true};
// Gravity's magnitude: beyond this a single step already overflows the character's motion.
inline constexpr FloatLimits kGravityLimits{-1.0e4f, 1.0e4f, false};

// Reads a number from an INI file that must be finite: a nan or infinity would
// poison whatever is built from it (the physics engine above all). A value that
// is not usable gives one line on `log`,
//   "<reader>: <section> <key> is not a finite number, using <fallback>",
//   "<reader>: <section> <key> <value> is not a positive size, using <fallback>",
//   "<reader>: <section> <key> <value> is outside <lowest> to <highest>, using <fallback>",
// and the fallback. A missing key or one that is not a number gives the
// fallback silently, as every IniFile lookup does.
//
// Every check reports through the same fallBack() line builder in
// FiniteValue.cpp, so a further condition is one more test there with its own
// wording, and every reader picks it up.
float readFiniteFloat(const IniFile& file, const char* section, const char* key, float fallback, std::ostream& log,
                      const char* reader, const FloatLimits& limits = kAnyFinite);

// The same checks and lines for a value already read from `section` `key`.
float checkFiniteFloat(float value, const char* section, const char* key, float fallback, std::ostream& log,
                       const char* reader, const FloatLimits& limits = kAnyFinite);
