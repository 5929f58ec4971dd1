#pragma once
#include <memory>
#include <sstream>
#include <string>

#include "sim/frame/GameLoop.h"
#include "sim/frame/GameSession.h"
#include "support/CaptureStdout.h"
#include "support/FakeHost.h"
#include "support/TempFiles.h"

// A whole game without a window: settings and level text in, frames driven by
// a fake clock and scripted keys, console lines captured.
struct SessionRig {
    SessionRig(const std::string& levelText, const std::string& settingsText = "", int loadTime = 0)
    {
        IniFile settings(writeTempFile("settings", settingsText));
        std::ostringstream log;
        StartupConfig config = StartupConfig::read(settings, log);
        config.loadTime = loadTime;
        IniFile level(writeTempFile("level", levelText));
        startupLog = captureStdout([&] {
            session = std::make_unique<GameSession>(config, std::move(settings), std::move(level), SessionTextures{},
                                                    std::cout);
        });
        loop = std::make_unique<GameLoop>(*session, host);
    }

    // Runs one frame `dt` seconds after the previous one and returns its console output.
    std::string frame(float dt = 1.0f / 60.0f)
    {
        clock += dt;
        return captureStdout([&] { loop->runFrame(clock); });
    }

    // Runs frames until the host is asked to close or `limit` frames have passed.
    std::string runUntilClosed(int limit, float dt = 1.0f / 60.0f)
    {
        std::string out;
        for (int i = 0; i < limit && !host.closing; ++i) out += frame(dt);
        return out;
    }

    FakeHost host;
    std::unique_ptr<GameSession> session;
    std::unique_ptr<GameLoop> loop;
    std::string startupLog;
    float clock = 0.0f;
};
