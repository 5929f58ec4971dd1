#include "render/RenderStageTimer.h"

#include <epoxy/gl.h>

namespace {

// The closing mark of a frame: it starts no stage.
constexpr RenderStage kFrameEnd = RenderStage::Count;

}  // namespace

const char* renderStageName(RenderStage stage)
{
    switch (stage) {
    case RenderStage::Scene: return "scene";
    case RenderStage::Particles: return "particles";
    case RenderStage::Hud: return "HUD";
    case RenderStage::Blur: return "blur";
    case RenderStage::Composite: return "composite";
    default: return "?";
    }
}

RenderStageTimer::RenderStageTimer()
{
    GLint bits = 0;
    glGetQueryiv(GL_TIMESTAMP, GL_QUERY_COUNTER_BITS, &bits);
    timerQueries = bits > 0;
}

void RenderStageTimer::beginFrame() { marks.clear(); }

void RenderStageTimer::mark(RenderStage stage)
{
    const size_t index = marks.size();
    if (timerQueries) {
        while (queries.size() <= index) queries.push_back(GlQuery::create());
        glQueryCounter(queries[index], GL_TIMESTAMP);
    } else {
        // Without timestamps the only way to know a stage's cost is to wait for it.
        glFinish();
    }
    marks.push_back({stage, std::chrono::steady_clock::now()});
}

void RenderStageTimer::endFrame()
{
    mark(kFrameEnd);
    std::vector<GLuint64> stamps(marks.size(), 0);
    if (timerQueries)
        for (size_t i = 0; i < marks.size(); ++i) glGetQueryObjectui64v(queries[i], GL_QUERY_RESULT, &stamps[i]);
    for (size_t i = 0; i + 1 < marks.size(); ++i) {
        const double ms = timerQueries
                              ? static_cast<double>(stamps[i + 1] - stamps[i]) * 1e-6
                              : std::chrono::duration<double, std::milli>(marks[i + 1].cpu - marks[i].cpu).count();
        totalMs[static_cast<size_t>(marks[i].stage)] += ms;
    }
    ++frameCount;
}

double RenderStageTimer::meanMs(RenderStage stage) const
{
    return frameCount > 0 ? totalMs[static_cast<size_t>(stage)] / frameCount : 0.0;
}
