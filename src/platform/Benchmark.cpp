#include "platform/Benchmark.h"

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "render/RenderStageTimer.h"
#include "render/SceneRenderer.h"
#include "sim/frame/FrameClock.h"
#include "sim/frame/FrameDriver.h"
#include "sim/frame/GameSession.h"
#include "sim/frame/RunFlow.h"
#include "sim/run/KeyScript.h"
#include "sim/run/ScriptedHost.h"

namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// The frames a burst needs to die out at 1/60 s per frame (1.25 s of life), with margin.
constexpr int kBurstLifetimeFrames = 80;
constexpr float kFrameStep = 1.0f / 60.0f;

std::string row(const std::string& name, double value, const char* unit = "")
{
    char text[96];
    std::snprintf(text, sizeof text, "  %-30s %10.2f%s\n", name.c_str(), value, unit);
    return text;
}

double percentile(std::vector<double> values, double share)
{
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const size_t index = static_cast<size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

double mean(const std::vector<double>& values)
{
    double sum = 0.0;
    for (double v : values) sum += v;
    return values.empty() ? 0.0 : sum / static_cast<double>(values.size());
}

}  // namespace

void StartupStages::next(std::string name)
{
    finish();
    current = std::move(name);
}

void StartupStages::finish()
{
    const Clock::time_point now = Clock::now();
    if (!current.empty()) steps.emplace_back(current, msBetween(stepStart, now));
    current.clear();
    stepStart = now;
    sinceLaunchMs = msBetween(launch, now);
    peakResidentMiB = ::peakResidentMiB();
}

double peakResidentMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

int runBenchmark(GLFWwindow* window, RunFlow& flow, SceneRenderer& renderer,
                 const LaunchOptions::Bench& bench, const StartupStages& startup, std::ostream& out)
{
    std::vector<std::vector<Key>> keys;
    if (!bench.script.empty()) {
        const KeyScriptResult loaded = loadKeyScript(bench.script);
        if (!loaded.script) {
            out << "vaultrise: " << loaded.error << "\n";
            return 2;
        }
        keys = loaded.script->frames();
    }

    ScriptedHost host;
    ScriptClock clock;
    FrameDriver driver(flow, host, clock);
    const GameSession& session = flow.session();
    auto playFrame = [&](const std::vector<Key>& held, RenderStageTimer* timer) {
        glfwPollEvents();  // keeps the window answering its server; keys come from the script
        host.hold(held);
        clock.advance(kFrameStep);
        const Clock::time_point start = Clock::now();
        const FrameView& view = driver.frame();
        const Clock::time_point simulated = Clock::now();
        if (timer) timer->beginFrame();
        int framebufferWidth = 0, framebufferHeight = 0;  // the composite fills the window, as in play
        glfwGetFramebufferSize(window, &framebufferWidth, &framebufferHeight);
        renderer.setOutputSize(framebufferWidth, framebufferHeight);
        renderer.render(view);
        glfwSwapBuffers(window);
        glFinish();  // the frame is done only when the GL has drawn it
        const Clock::time_point drawn = Clock::now();
        if (timer) timer->endFrame();
        return std::make_pair(msBetween(start, drawn), msBetween(start, simulated));
    };

    // Jumps long past: their bursts are spawned, then live out their life unmeasured.
    if (bench.bursts > 0) {
        const glm::vec3 origin = session.character.getPosition() + glm::vec3(0.0f, 4.0f, 3.0f);
        for (int i = 0; i < bench.bursts; ++i) renderer.startBurst(origin);
        for (int i = 0; i < kBurstLifetimeFrames; ++i) playFrame({}, nullptr);
    }

    RenderStageTimer timer;
    renderer.setStageTimer(&timer);
    std::vector<double> frameMs, simMs;
    for (int i = 0; i < bench.frames && !host.closing && !glfwWindowShouldClose(window); ++i) {
        const auto [frame, sim] = playFrame(i < static_cast<int>(keys.size()) ? keys[i] : std::vector<Key>{}, &timer);
        frameMs.push_back(frame);
        simMs.push_back(sim);
    }
    renderer.setStageTimer(nullptr);

    const StartupConfig& c = session.config;
    out << "Vaultrise benchmark: level " << c.level << ", " << c.renderWidth << "x" << c.renderHeight
        << ", animations " << (c.animations ? "on" : "off") << ", " << frameMs.size() << " frames, script "
        << (bench.script.empty() ? "none" : bench.script) << ", " << bench.bursts << " dead bursts\n";
    out << "start-up (ms)\n";
    for (const auto& [name, ms] : startup.steps) out << row(name, ms);
    out << row("launch to \"OpenGL Version\"", startup.sinceLaunchMs);
    out << "frames (ms)\n" << row("mean", mean(frameMs)) << row("95th percentile", percentile(frameMs, 0.95));
    out << "render stages (ms per frame, "
        << (timer.usesTimerQueries() ? "GL timer queries" : "CPU time, GL finished at each stage") << ")\n";
    for (int s = 0; s < static_cast<int>(RenderStage::Count); ++s)
        out << row(renderStageName(static_cast<RenderStage>(s)), timer.meanMs(static_cast<RenderStage>(s)));
    out << "simulation (microseconds per frame)\n" << row("mean", 1000.0 * mean(simMs));
    out << "peak resident memory (MiB)\n"
        << row("after start-up", startup.peakResidentMiB) << row("at the end", peakResidentMiB());
    return 0;
}
