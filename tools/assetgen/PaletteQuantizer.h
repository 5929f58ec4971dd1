#pragma once

#include <array>
#include <cstdint>
#include <vector>

// Builds one 256-colour palette for a whole frame sequence (so neighbouring
// frames never flicker between palettes) and maps pixels onto it.
// Colours are first binned at 6 bits per channel; the palette comes from a
// median cut over the bins refined by a few k-means passes. Everything is
// integer or fixed-order float arithmetic, so the result is reproducible.
class PaletteQuantizer {
public:
    PaletteQuantizer();

    // Adds the RGB bytes of one frame to the colour histogram.
    void addFrame(const std::vector<uint8_t>& rgb);

    // Computes the palette from everything added so far.
    void build();

    // Palette index for every pixel of an RGB frame.
    std::vector<uint8_t> map(const std::vector<uint8_t>& rgb) const;

    const std::vector<std::array<uint8_t, 3>>& colors() const { return palette; }

private:
    static int binOf(uint8_t r, uint8_t g, uint8_t b) { return (r >> 2) << 12 | (g >> 2) << 6 | (b >> 2); }

    std::vector<uint64_t> counts;              // per bin
    std::vector<std::array<uint64_t, 3>> sums;  // per bin, for the bin's mean colour
    std::vector<std::array<uint8_t, 3>> palette;
    std::vector<uint8_t> binToIndex;
};
