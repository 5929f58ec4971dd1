#pragma once
#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

#include "render/GlObject.h"

// The parts of a frame the benchmark reports separately.
enum class RenderStage { Scene, Particles, Hud, Blur, Composite, Count };
const char* renderStageName(RenderStage stage);

// Times the stages of each frame for the benchmark. The renderer marks where
// each stage begins; the time up to the next mark belongs to that stage. With
// GL timer queries (a timestamp per mark) the figures are the driver's own;
// without them every mark waits for the GL to finish and CPU time is taken.
// Only the benchmark makes one: a normal run draws without marks.
class RenderStageTimer {
public:
    RenderStageTimer();

    bool usesTimerQueries() const { return timerQueries; }

    void beginFrame();
    void mark(RenderStage stage);
    // Closes the last stage and adds the frame's figures to the totals; the
    // frame must be complete (after the swap), so queries do not stall long.
    void endFrame();

    // Mean milliseconds per frame spent in `stage` over all ended frames.
    double meanMs(RenderStage stage) const;
    int frames() const { return frameCount; }

private:
    struct Mark {
        RenderStage stage;
        std::chrono::steady_clock::time_point cpu;
    };

    bool timerQueries = false;
    std::vector<GlQuery> queries;  // one per mark of the frame, reused
    std::vector<Mark> marks;
    std::array<double, static_cast<int>(RenderStage::Count)> totalMs{};
    int frameCount = 0;
};
