#include "sim/view/MenuView.h"

#include <algorithm>

namespace {

constexpr float kReferenceHeight = 360.0f;
constexpr float kFontPixels = 48.0f;   // the HUD font's rasterised height
constexpr float kEntryScale = 0.4f;    // 19 pixels of type at 360 high
constexpr float kTitleScale = 0.6f;
constexpr float kNoteScale = 0.32f;
constexpr float kRowPitch = 22.0f;     // reference pixels per entry row
constexpr int kMostRows = 9;           // rows shown at once; more scroll
constexpr float kPanelWidth = 420.0f;  // reference pixels, at most 92% of the width

const glm::vec3 kText{0.92f, 0.94f, 1.0f};
const glm::vec3 kFocusedText{1.0f, 0.95f, 0.55f};
const glm::vec3 kDisabledText{0.5f, 0.5f, 0.58f};
const glm::vec3 kTitleText{1.0f, 0.45f, 0.9f};
const glm::vec4 kDim{0.0f, 0.0f, 0.0f, 0.55f};
const glm::vec4 kPanel{0.05f, 0.04f, 0.12f, 0.82f};
const glm::vec4 kFocusBar{0.45f, 0.2f, 0.6f, 0.85f};

}  // namespace

MenuPicture layoutMenu(const MenuView& menu, float width, float height)
{
    MenuPicture picture;
    if (!menu.shown || width <= 0.0f || height <= 0.0f) return picture;
    const float u = height / kReferenceHeight;  // pixels per reference pixel
    picture.entryTextHeight = kFontPixels * kEntryScale * u;

    int lastRow = 0;
    for (const MenuEntry& e : menu.entries) lastRow = std::max(lastRow, e.row);
    const int rows = std::min(lastRow + 1, kMostRows);
    const int focusRow = menu.entries.empty() ? 0 : menu.entries[static_cast<size_t>(menu.focus)].row;
    const int firstRow = std::clamp(focusRow - rows / 2, 0, lastRow + 1 - rows);

    const float panelWidth = std::min(kPanelWidth * u, width * 0.92f);
    const float titleSpace = 44.0f * u + static_cast<float>(menu.notes.size()) * 16.0f * u;
    const float panelHeight = titleSpace + static_cast<float>(rows) * kRowPitch * u + (menu.hint.empty() ? 12.0f : 28.0f) * u;
    MenuRect panel{(width - panelWidth) * 0.5f, (height - panelHeight) * 0.5f, panelWidth, panelHeight};
    picture.quads.push_back({{0.0f, 0.0f, width, height}, kDim});
    picture.quads.push_back({panel, kPanel});

    const float inset = 14.0f * u;
    float pen = panel.y + panel.height - 34.0f * u;
    picture.texts.push_back({menu.title, panel.x + inset, pen, kTitleScale * u, kTitleText});
    for (const std::string& note : menu.notes) {
        pen -= 16.0f * u;
        picture.texts.push_back({note, panel.x + inset, pen, kNoteScale * u, kText});
    }
    const float rowsTop = panel.y + panel.height - titleSpace;
    // Where a column's value starts, as shares of the panel: a second column
    // (the controls' pad buttons) takes the right quarter.
    const float valueAt[2] = {0.58f, 0.8f};
    for (size_t i = 0; i < menu.entries.size(); ++i) {
        const MenuEntry& e = menu.entries[i];
        if (e.row < firstRow || e.row >= firstRow + rows) continue;
        const float rowBottom = rowsTop - static_cast<float>(e.row - firstRow + 1) * kRowPitch * u;
        if (!takesFocus(e)) {  // a set's heading: in the title's colour, nothing to point at
            picture.texts.push_back({e.label, panel.x + inset, rowBottom + 6.0f * u, kEntryScale * u, kTitleText});
            continue;
        }
        const bool second = e.column > 0;
        const float left = second ? panel.x + panel.width * valueAt[1] - 6.0f * u : panel.x + 6.0f * u;
        const float right = second ? panel.x + panel.width - 6.0f * u : panel.x + panel.width * valueAt[1] - 10.0f * u;
        const bool hasSecond = std::any_of(menu.entries.begin(), menu.entries.end(),
                                           [&](const MenuEntry& other) { return other.row == e.row && other.column > 0; });
        const MenuRect area{left, rowBottom, (second || hasSecond ? right : panel.x + panel.width - 6.0f * u) - left,
                            kRowPitch * u};
        picture.entryAreas.push_back({static_cast<int>(i), area});
        const bool focused = static_cast<int>(i) == menu.focus;
        if (focused) picture.quads.push_back({area, kFocusBar});
        const glm::vec3 colour = !e.enabled ? kDisabledText : focused ? kFocusedText : kText;
        const float baseline = rowBottom + 6.0f * u;
        if (!second) picture.texts.push_back({e.label, panel.x + inset, baseline, kEntryScale * u, colour});
        if (!e.value.empty())
            picture.texts.push_back({e.value, second ? area.x + 8.0f * u : panel.x + panel.width * valueAt[0], baseline,
                                     kEntryScale * u, colour});
    }
    if (!menu.hint.empty())
        picture.texts.push_back({menu.hint, panel.x + inset, panel.y + 10.0f * u, kNoteScale * u, kDisabledText});
    return picture;
}

int menuEntryAt(const MenuPicture& picture, float x, float y)
{
    for (const auto& [index, area] : picture.entryAreas)
        if (area.contains(x, y)) return index;
    return -1;
}
