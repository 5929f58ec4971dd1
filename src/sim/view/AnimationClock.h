#pragma once
#include <cstdint>
#include <vector>

struct FrameState;

// An uploaded picture sequence: element k is the texture of frame k.
using FrameSequence = std::vector<unsigned>;

// One shared counter drives every sequence. It moves only on even frames, once
// their summed frame time reaches 1/60 s; the remainder is dropped, not carried.
void advanceAnimation(FrameState& frame);

// The texture a sequence shows for the counter: it wraps at the sequence's own
// length. An empty sequence shows texture 0.
unsigned frameFor(const FrameSequence& sequence, int32_t animationFrame);
