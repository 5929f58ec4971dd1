#include "sim/run/HeadlessRun.h"

#include "core/IniFile.h"
#include "sim/frame/FrameDriver.h"
#include "sim/frame/GameSession.h"
#include "sim/level/Level.h"
#include "sim/frame/RunFlow.h"
#include "sim/frame/SessionStart.h"
#include "sim/replay/FrameRecord.h"
#include "sim/run/KeyScript.h"

namespace {

std::string takeLines(std::ostringstream& stream)
{
    std::string text = stream.str();
    stream.str("");
    return text;
}

}  // namespace

HeadlessRun::HeadlessRun(const std::string& settingsPath, const std::string& levelPath, std::optional<int> loadTime)
{
    start(settingsPath, levelPath, [&](StartupConfig& config) {
        if (loadTime) config.loadTime = *loadTime;
    });
}

HeadlessRun::HeadlessRun(const std::string& settingsPath, const std::string& levelPath,
                         const SimulationSettings& settings)
{
    start(settingsPath, levelPath, [&](StartupConfig& config) { settings.applyTo(config); });
}

void HeadlessRun::start(const std::string& settingsPath, const std::string& levelPath,
                        const std::function<void(StartupConfig&)>& adjust)
{
    this->settingsPath = settingsPath;
    this->levelPath = levelPath;
    IniFile settings(settingsPath, lines);
    StartupConfig config = StartupConfig::read(settings, lines);
    adjust(config);
    auto first = std::make_unique<GameSession>(config, std::move(settings), openLevelFile(levelPath, lines), lines);
    fullLog = takeLines(lines);
    RunRules rules;
    rules.openSession = [this](const StartupConfig& c) {
        return openSession(c, this->settingsPath, this->levelPath, lines);
    };
    flow = std::make_unique<RunFlow>(std::move(first), std::move(rules), lines);
    driver = std::make_unique<FrameDriver>(*flow, host, clock);
}

HeadlessRun::~HeadlessRun() = default;

GameSession& HeadlessRun::session() { return flow->session(); }
const GameSession& HeadlessRun::session() const { return flow->session(); }

void HeadlessRun::restart()
{
    driver->restart();
    tally = RunTally{};
    fullLog = takeLines(lines);
}

std::string HeadlessRun::frame(const std::vector<Key>& held, float dt)
{
    host.hold(held);
    clock.advance(dt);
    lastView = &driver->frame();
    return finishFrame();
}

std::string HeadlessRun::exactFrame(const std::vector<Key>& held, float deltaTime)
{
    host.hold(held);
    clock.lastExactly(deltaTime);
    lastView = &driver->frame();
    return finishFrame();
}

std::string HeadlessRun::finishFrame()
{
    tally.afterFrame(session());
    lastRecord = recordedFrame(session(), driver->lastFrameKeys());
    std::string written = takeLines(lines);
    fullLog += written;
    return written;
}

RunReport HeadlessRun::play(const KeyScript& script, int idleFrames, const std::function<void()>& afterFrame)
{
    const auto step = [&](const std::vector<Key>& keys) {
        frame(keys);
        if (afterFrame) afterFrame();
    };
    for (const KeyScript::Run& run : script.runs)
        for (int i = 0; i < run.frames && !closed(); ++i) step(run.keys);
    for (int i = 0; i < idleFrames && !closed(); ++i) step({});
    return report();
}

RunReport HeadlessRun::report() const
{
    RunReport report = tally.report(session());
    report.log = fullLog;
    return report;
}
