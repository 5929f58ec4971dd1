#include "sim/view/HudState.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

std::string cutDecimals(float value, int decimals)
{
    // A value that broke (a nan or an overflow) never reaches the screen as "nan" or "inf".
    if (!std::isfinite(value)) return "---";
    const double promoted = value;
    const int length = std::snprintf(nullptr, 0, "%f", promoted);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%f", promoted);
    text.resize(static_cast<size_t>(length));
    const size_t dot = text.find('.');
    if (dot != std::string::npos) text.resize(std::min(text.size(), dot + 1 + static_cast<size_t>(decimals)));
    return text;
}

void HudState::update(const std::string& levelLabel, float distance, float voidHeight)
{
    label = levelLabel;
    remainingDistance = displayFactor * distance;
    voidLevel = displayFactor * voidHeight;
}

std::string HudState::distanceText() const { return cutDecimals(remainingDistance, 2); }

std::string HudState::voidText() const { return cutDecimals(voidLevel, 1); }

namespace {

float ofWidthLeft(float screenWidth) { return 0.02f * screenWidth; }

}  // namespace

std::vector<HudLine> HudState::lines(float screenWidth, float screenHeight) const
{
    std::vector<HudLine> all = ownLines(screenWidth, screenHeight);
    // Scaled with the height like the rest of the HUD.
    const float fit = screenHeight / kReferenceHeight;
    const float small = smallScale * fit, large = largeScale * fit;
    const float x = 0.5f * screenWidth - 0.25f * screenWidth;
    float y = 0.5f * screenHeight;
    if (paused) {
        all.push_back({"PAUSED", x, y, large});
        y -= 2.0f * HudLineHeight * small;
    }
    for (const std::string& note : notes) {
        all.push_back({note, x, y, small});
        y -= HudLineHeight * small;
    }
    if (!frameRate.empty()) all.push_back({frameRate, ofWidthLeft(screenWidth), 0.03f * screenHeight, small});
    return all;
}

std::vector<HudLine> HudState::ownLines(float screenWidth, float screenHeight) const
{
    // The fractions of the screen are taken in double and only then rounded,
    // so the columns land on the same pixel whatever the float rounding.
    const auto ofWidth = [&](double fraction) { return static_cast<float>(fraction * screenWidth); };
    const auto ofHeight = [&](double fraction) { return static_cast<float>(fraction * screenHeight); };
    // The rows are fractions of the height, so the text and the insets shrink
    // and grow with it too: rows 5 % apart never overlap, and at the reference
    // height the layout is exactly the one the text was designed for.
    const float fit = screenHeight / kReferenceHeight;
    const float small = smallScale * fit, large = largeScale * fit;
    const float left = ofWidth(0.05) - large * leftInset;
    const float right = ofWidth(0.95) - large * rightInset;

    std::vector<HudLine> own;
    if (playing) {
        own = {
            {"LEVEL", left, ofHeight(0.95), small},
            {label, left, ofHeight(0.90), large},
            {"REMAINING DISTANCE", right, ofHeight(0.95), small},
            {distanceText(), right, ofHeight(0.90), large},
            {"VOID LEVEL", right, ofHeight(0.85), small},
            {voidText(), right, ofHeight(0.80), large},
        };
        if (!ghostGap.empty()) own.push_back({ghostGap, right, ofHeight(0.75), small});
    } else {
        own = {
            {"GAME OVER", left, ofHeight(0.95), small},
            {won ? "AWESOME, YOU COMPLETED THE LEVEL!" : "YOU WERE SUCKED IN BY THE VOID!", left, ofHeight(0.90),
             large},
        };
    }
    if (practice) own.push_back({"PRACTICE", left, ofHeight(0.85), small});
    return own;
}
