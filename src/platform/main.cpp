#include <iostream>

#include "platform/Application.h"
#include "platform/CommandLine.h"
#include "platform/HeadlessCommands.h"
#include "platform/SolveCommand.h"
#include "core/HeapPolicy.h"

int main(int argc, char** argv)
{
    shareOneHeapAcrossThreads();
    const CommandLine commandLine = parseCommandLine(argc, argv, std::cout, std::cerr);
    if (commandLine.exitStatus) return *commandLine.exitStatus;
    const LaunchOptions& options = commandLine.options;
    if (options.checkLevel) return runLevelCheck(options, std::cout, std::cerr);
    if (options.solveLevel) return runSolveLevel(options, std::cout, std::cerr);
    if (options.replayPath && options.headless) return runHeadlessReplay(options, std::cout, std::cerr);
    Application app(options, std::cout, std::cerr);
    return app.run();
}
