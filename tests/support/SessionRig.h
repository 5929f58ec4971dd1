#pragma once
#include <memory>
#include <sstream>
#include <string>

#include "sim/frame/GameLoop.h"
#include "sim/frame/GameSession.h"
#include "support/FakeHost.h"
#include "support/TempIni.h"

// A whole game without a window: settings and level text in, frames driven by
// a fake clock and scripted keys, console lines captured.
struct SessionRig {
    SessionRig(const std::string& levelText, const std::string& settingsText = "", int loadTime = 0)
    {
        IniFile settings(writeTempFile("settings", settingsText));
        StartupConfig config = StartupConfig::read(settings, log);
        config.loadTime = loadTime;
        IniFile level(writeTempFile("level", levelText));
        session = std::make_unique<GameSession>(config, std::move(settings), std::move(level), SessionTextures{}, log);
        startupLog = takeLog(log);
        loop = std::make_unique<GameLoop>(*session, host);
    }

    // Runs one frame `dt` seconds after the previous one and returns its console output.
    std::string frame(float dt = 1.0f / 60.0f)
    {
        clock += dt;
        view = &loop->runFrame(clock);
        return takeLog(log);
    }

    // Runs frames until the host is asked to close or `limit` frames have passed.
    std::string runUntilClosed(int limit, float dt = 1.0f / 60.0f)
    {
        std::string out;
        for (int i = 0; i < limit && !host.closing; ++i) out += frame(dt);
        return out;
    }

    std::ostringstream log;  // the session's console lines
    FakeHost host;
    std::unique_ptr<GameSession> session;
    std::unique_ptr<GameLoop> loop;
    const FrameView* view = nullptr;  // what the last frame hands to the renderer
    std::string startupLog;
    float clock = 0.0f;
};
