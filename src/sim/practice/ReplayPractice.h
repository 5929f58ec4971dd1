#pragma once
#include <cstddef>

#include "sim/practice/PracticeHost.h"
#include "sim/replay/FrameCursor.h"
#include "sim/replay/ReplayFile.h"
#include "sim/run/RunReport.h"

class FrameDriver;
class RunFlow;
struct FrameView;

// A recorded run to practise from any moment: played frame by frame through
// the one frame driver, stepped back (by playing it again from a fresh
// session: the simulation only runs forward) or forward, restarted, and taken
// over, after which the player plays on from that exact state with the
// window's keys and clock. The run after a take-over is kept as a replay whose
// frames up to the take-over are the original's, so it replays to the same state.
class ReplayPractice {
public:
    // `driver` runs `flow`'s frames with `host` as its window and `clock` as its clock.
    ReplayPractice(Replay original, RunFlow& flow, FrameDriver& driver, PracticeHost& host, PracticeClock& clock);
    // Its cursor walks its own copy of the recording.
    ReplayPractice(const ReplayPractice&) = delete;
    ReplayPractice& operator=(const ReplayPractice&) = delete;

    // Plays the next recorded frame (while watching); null at the end of the recording.
    const FrameView* playRecordedFrame();
    // Plays the recording up to `frame` frames from its start: forward from
    // here, or from a fresh session of the level when that lies behind.
    void seek(size_t frame);
    // From here on the window's keys and clock play; the recording starts
    // with the frames played so far. Only while watching.
    void takeOver();
    // A frame after the take-over, kept in the recording with the keys it read.
    const FrameView& playLiveFrame();

    bool takenOver() const { return host.isLive(); }
    size_t framesPlayed() const { return played; }
    // The last frame's view; null before the first frame and after a seek back.
    const FrameView* view() const { return lastView; }
    // The original's frames up to the take-over, then the practice frames.
    const Replay& recording() const { return practice; }
    // The last frame after the take-over as a recording adds it.
    const ReplayFrame& lastLiveFrame() const { return lastLive; }
    // What the run has come to, as a headless replay of the same frames reports it.
    RunReport report() const;

private:
    Replay original;
    FrameCursor recorded{original.frames};
    Replay practice;
    RunFlow& flow;
    FrameDriver& driver;
    PracticeHost& host;
    PracticeClock& clock;
    const FrameView* lastView = nullptr;
    size_t played = 0;
    ReplayFrame lastLive;
    RunTally tally;
};
