#include "sim/menu/MenuFocus.h"

#include <climits>
#include <cstdlib>

namespace {

// The entry in `row` whose column is nearest `column`; -1 when the row is empty.
int nearestInRow(const std::vector<MenuEntry>& entries, int row, int column)
{
    int best = -1;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        if (entries[i].row != row || !takesFocus(entries[i])) continue;
        if (best < 0 || std::abs(entries[i].column - column) < std::abs(entries[best].column - column)) best = i;
    }
    return best;
}

// The nearest row above (step -1) or below (+1) `row` that has an entry, or INT_MIN.
int nextRow(const std::vector<MenuEntry>& entries, int row, int step)
{
    int found = INT_MIN;
    for (const MenuEntry& e : entries) {
        const int distance = (e.row - row) * step;
        if (distance <= 0 || !takesFocus(e)) continue;
        if (found == INT_MIN || distance < (found - row) * step) found = e.row;
    }
    return found;
}

// The row farthest the other way from `step` that has an entry taking focus
// (the first row for Down, the last for Up), or INT_MIN.
int farthestRow(const std::vector<MenuEntry>& entries, int step)
{
    int found = INT_MIN;
    for (const MenuEntry& e : entries)
        if (takesFocus(e) && (found == INT_MIN || (e.row - found) * step < 0)) found = e.row;
    return found;
}

}  // namespace

int moveFocus(const std::vector<MenuEntry>& entries, int from, MenuCommand direction)
{
    if (entries.empty() || from < 0 || from >= static_cast<int>(entries.size())) return from;
    const MenuEntry& here = entries[static_cast<size_t>(from)];
    switch (direction) {
    case MenuCommand::Up:
    case MenuCommand::Down: {
        const int step = direction == MenuCommand::Down ? 1 : -1;
        int row = nextRow(entries, here.row, step);
        if (row == INT_MIN) row = farthestRow(entries, step);  // wrap round
        if (row == INT_MIN) return from;                       // nothing takes focus
        return nearestInRow(entries, row, here.column);
    }
    case MenuCommand::Left:
    case MenuCommand::Right: {
        const int step = direction == MenuCommand::Right ? 1 : -1;
        int best = from;
        for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
            const MenuEntry& e = entries[static_cast<size_t>(i)];
            const int distance = (e.column - here.column) * step;
            if (e.row != here.row || distance <= 0 || !takesFocus(e)) continue;
            if (best == from || distance < (entries[static_cast<size_t>(best)].column - here.column) * step) best = i;
        }
        return best;
    }
    default:
        return from;
    }
}
