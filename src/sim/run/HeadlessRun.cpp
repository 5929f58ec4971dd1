#include "sim/run/HeadlessRun.h"

#include "core/IniFile.h"
#include "sim/frame/GameLoop.h"
#include "sim/frame/GameSession.h"
#include "sim/level/Level.h"
#include "sim/frame/SessionStart.h"
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
    gameSession = std::make_unique<GameSession>(config, std::move(settings), openLevelFile(levelPath, lines), SessionTextures{},
                                                lines);
    fullLog = takeLines(lines);
    loop = std::make_unique<GameLoop>(*gameSession, tap);
}

HeadlessRun::~HeadlessRun() = default;

void HeadlessRun::restart()
{
    const StartupConfig config = gameSession->config;
    loop.reset();
    gameSession.reset();
    gameSession = openSession(config, settingsPath, levelPath, SessionTextures{}, lines);
    loop = std::make_unique<GameLoop>(*gameSession, tap);
    gameSession->announceRestart = true;
    clock = 0.0f;
    tally = RunTally{};
    fullLog = takeLines(lines);
}

std::string HeadlessRun::frame(const std::vector<Key>& held, float dt)
{
    host.hold(held);
    clock += dt;
    lastView = &loop->runFrame(clock);
    return finishFrame();
}

std::string HeadlessRun::exactFrame(const std::vector<Key>& held, float deltaTime)
{
    host.hold(held);
    lastView = &loop->runFrameAfter(deltaTime);
    return finishFrame();
}

std::string HeadlessRun::finishFrame()
{
    tally.afterFrame(*gameSession);
    lastRecord = {gameSession->frame.deltaTime, tap.takeFrameKeys()};
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
    RunReport report = tally.report(*gameSession);
    report.log = fullLog;
    return report;
}
