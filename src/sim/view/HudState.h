#pragma once
#include <string>
#include <vector>

#include <glm/vec3.hpp>

// One string of the heads-up display: where the pen starts (window pixels from
// the lower-left corner), its scale and colour.
struct HudLine {
    std::string text;
    float x = 0.0f;
    float y = 0.0f;
    float scale = 1.0f;
    glm::vec3 colour{1.0f};
};

// What the heads-up display shows, without any drawing: the values handed over
// each frame and the layout of the strings for a given render size.
class HudState {
public:
    // The main loop hands over world units; the display shows a tenth of them.
    void update(const std::string& levelLabel, float distance, float voidHeight);

    // The distance with two decimals and the void level with one, cut (not
    // rounded) from the "%f" form.
    std::string distanceText() const;
    std::string voidText() const;

    // The strings to draw, in drawing order, for a render size of W × H. The
    // scales and insets below are those of a screen kReferenceHeight pixels
    // high; every other height scales them in proportion.
    std::vector<HudLine> lines(float screenWidth, float screenHeight) const;

    static constexpr float kReferenceHeight = 1080.0f;
    // Pixels between two lines at scale 1 (the font is rasterised 48 high).
    static constexpr float HudLineHeight = 60.0f;

    float largeScale = 1.0f;
    float smallScale = 0.5f;
    float leftInset = 32.0f;
    float rightInset = 180.0f;
    float displayFactor = 0.1f;
    bool playing = true;
    bool won = false;
    bool paused = false;
    // Short lines under the display's own (the end-of-game choices, a new
    // best time, the frame rate), drawn small in the middle.
    std::vector<std::string> notes;
    std::string frameRate;  // F9's readout, drawn small in the lower-left corner; empty when off
    bool practice = false;  // a replay taken over: its time is practice, never a record
    std::string ghostGap;   // the gap to the ghost while racing it, under the void level; empty otherwise
    std::string label = "0";
    float remainingDistance = 0.0f;
    float voidLevel = 0.0f;

private:
    // The label, distance and void level while playing; the end message after.
    std::vector<HudLine> ownLines(float screenWidth, float screenHeight) const;
};

// `value` printed with "%f" and cut `decimals` characters after the first ".";
// "---" for a value that is not finite.
std::string cutDecimals(float value, int decimals);
