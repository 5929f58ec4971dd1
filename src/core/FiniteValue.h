#pragma once
#include <iosfwd>

class IniFile;

// Reads a number from an INI file that must be finite: a nan or infinity would
// poison whatever is built from it (the physics engine above all). A value that
// is not usable gives one line on `log`,
//   "<reader>: <section> <key> is not a finite number, using <fallback>",
// and the fallback. A missing key or one that is not a number gives the
// fallback silently, as every IniFile lookup does.
//
// Every check reports through the same fallBack() line builder in
// FiniteValue.cpp, so a further condition (an allowed range, say) is one more
// test there with its own wording, and every reader picks it up.
float readFiniteFloat(const IniFile& file, const char* section, const char* key, float fallback, std::ostream& log,
                      const char* reader);
