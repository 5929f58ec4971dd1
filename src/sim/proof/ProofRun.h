#pragma once
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

// A level's proof run is a replay of a win, kept next to the level file:
// "assets/settings/level3.ini" is proven by "assets/settings/level3.replay".
std::string proofPathFor(const std::string& levelPath);

// The level checker: one line per problem the level file has (see
// findLevelProblems), then, when the level has a proof run, the line its
// headless replay ends with and the medal times it sets; a proof that does not win, cannot be read or was
// recorded on another version of the level or catalogue is a problem too. The
// last line sums up. True when there is no problem.
// A clean level without a proof run is handed to `searchWithoutProof` when
// given (the solver): it writes its own lines and returns the problem to
// report when it finds no winning run.
using ProofSearch = std::function<std::optional<std::string>()>;
bool checkLevel(const std::string& levelPath, const std::string& settingsPath, std::ostream& out,
                const ProofSearch& searchWithoutProof = {});
