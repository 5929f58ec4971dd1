#pragma once
struct FrameState;

// One shared counter drives every animated picture (a frame value's
// `animationFrame`). It moves only on even frames, once their summed frame
// time reaches 1/60 s; the remainder is dropped, not carried.
void advanceAnimation(FrameState& frame);
