#include "PaletteQuantizer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBins = 1 << 18;
constexpr int kColors = 256;

struct Entry {
    float c[3];
    double weight;
    int bin;
};

struct Box {
    int begin, end;  // range in the entry list
    float spread;
    int axis;
};

Box measure(const std::vector<Entry>& e, int begin, int end)
{
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
    double weight = 0;
    for (int i = begin; i < end; ++i) {
        weight += e[i].weight;
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], e[i].c[k]);
            hi[k] = std::max(hi[k], e[i].c[k]);
        }
    }
    int axis = 0;
    for (int k = 1; k < 3; ++k)
        if (hi[k] - lo[k] > hi[axis] - lo[axis]) axis = k;
    // Weighting the extent by the (square-rooted) pixel share splits both
    // wide and heavily used boxes, which keeps large flat areas smooth.
    const float spread = (end - begin > 1) ? (hi[axis] - lo[axis]) * static_cast<float>(std::sqrt(weight)) : -1.0f;
    return {begin, end, spread, axis};
}

float distance2(const float* a, const float* b)
{
    const float dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
    // Green weighs most for the eye, blue least.
    return 0.30f * dr * dr + 0.59f * dg * dg + 0.11f * db * db;
}

}  // namespace

PaletteQuantizer::PaletteQuantizer() : counts(kBins, 0), sums(kBins, {0, 0, 0}) {}

void PaletteQuantizer::addFrame(const std::vector<uint8_t>& rgb)
{
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        const int bin = binOf(rgb[i], rgb[i + 1], rgb[i + 2]);
        ++counts[bin];
        sums[bin][0] += rgb[i];
        sums[bin][1] += rgb[i + 1];
        sums[bin][2] += rgb[i + 2];
    }
}

void PaletteQuantizer::build()
{
    std::vector<Entry> entries;
    for (int bin = 0; bin < kBins; ++bin) {
        if (!counts[bin]) continue;
        Entry e;
        for (int k = 0; k < 3; ++k) e.c[k] = static_cast<float>(static_cast<double>(sums[bin][k]) / counts[bin]);
        e.weight = static_cast<double>(counts[bin]);
        e.bin = bin;
        entries.push_back(e);
    }

    // Median cut: split the box with the largest weighted extent at its
    // weighted median until there are enough boxes (or nothing is left to split).
    std::vector<Box> boxes{measure(entries, 0, static_cast<int>(entries.size()))};
    while (static_cast<int>(boxes.size()) < kColors) {
        int pick = 0;
        for (int i = 1; i < static_cast<int>(boxes.size()); ++i)
            if (boxes[i].spread > boxes[pick].spread) pick = i;
        const Box box = boxes[pick];
        if (box.spread <= 0.0f) break;
        const int axis = box.axis;
        std::sort(entries.begin() + box.begin, entries.begin() + box.end, [axis](const Entry& a, const Entry& b) {
            if (a.c[axis] != b.c[axis]) return a.c[axis] < b.c[axis];
            return a.bin < b.bin;  // total order: the sort result never depends on the algorithm
        });
        double total = 0;
        for (int i = box.begin; i < box.end; ++i) total += entries[i].weight;
        double run = 0;
        int cut = box.begin + 1;
        for (int i = box.begin; i < box.end - 1; ++i) {
            run += entries[i].weight;
            cut = i + 1;
            if (run >= total * 0.5) break;
        }
        boxes[pick] = measure(entries, box.begin, cut);
        boxes.push_back(measure(entries, cut, box.end));
    }

    std::vector<std::array<float, 3>> centres;
    for (const Box& box : boxes) {
        double acc[3] = {0, 0, 0}, w = 0;
        for (int i = box.begin; i < box.end; ++i) {
            for (int k = 0; k < 3; ++k) acc[k] += entries[i].c[k] * entries[i].weight;
            w += entries[i].weight;
        }
        centres.push_back({static_cast<float>(acc[0] / w), static_cast<float>(acc[1] / w), static_cast<float>(acc[2] / w)});
    }

    // A few k-means passes pull the centres onto the actual colour clusters.
    std::vector<int> owner(entries.size(), 0);
    for (int pass = 0; pass < 4; ++pass) {
        std::vector<std::array<double, 4>> acc(centres.size(), {0, 0, 0, 0});
        for (size_t i = 0; i < entries.size(); ++i) {
            int best = 0;
            float bestD = 1e30f;
            for (size_t c = 0; c < centres.size(); ++c) {
                const float d = distance2(entries[i].c, centres[c].data());
                if (d < bestD) { bestD = d; best = static_cast<int>(c); }
            }
            owner[i] = best;
            for (int k = 0; k < 3; ++k) acc[best][k] += entries[i].c[k] * entries[i].weight;
            acc[best][3] += entries[i].weight;
        }
        for (size_t c = 0; c < centres.size(); ++c)
            if (acc[c][3] > 0)
                for (int k = 0; k < 3; ++k) centres[c][k] = static_cast<float>(acc[c][k] / acc[c][3]);
    }

    palette.clear();
    for (const auto& c : centres)
        palette.push_back({static_cast<uint8_t>(std::lround(std::clamp(c[0], 0.0f, 255.0f))),
                           static_cast<uint8_t>(std::lround(std::clamp(c[1], 0.0f, 255.0f))),
                           static_cast<uint8_t>(std::lround(std::clamp(c[2], 0.0f, 255.0f)))});
    while (palette.size() < static_cast<size_t>(kColors)) palette.push_back({0, 0, 0});

    // Final assignment against the rounded palette actually written.
    binToIndex.assign(kBins, 0);
    for (const Entry& e : entries) {
        int best = 0;
        float bestD = 1e30f;
        for (int c = 0; c < kColors; ++c) {
            const float p[3] = {static_cast<float>(palette[c][0]), static_cast<float>(palette[c][1]),
                                static_cast<float>(palette[c][2])};
            const float d = distance2(e.c, p);
            if (d < bestD) { bestD = d; best = c; }
        }
        binToIndex[e.bin] = static_cast<uint8_t>(best);
    }
}

std::vector<uint8_t> PaletteQuantizer::map(const std::vector<uint8_t>& rgb) const
{
    std::vector<uint8_t> out(rgb.size() / 3);
    for (size_t i = 0; i < out.size(); ++i) out[i] = binToIndex[binOf(rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2])];
    return out;
}
