#include <iostream>

#include "platform/Application.h"
#include "platform/CommandLine.h"
#include "platform/GameFilesLookup.h"
#include "platform/HeadlessCommands.h"
#include "platform/SolveCommand.h"
#include "core/HeapPolicy.h"

int main(int argc, char** argv)
{
    shareOneHeapAcrossThreads();
    const CommandLine commandLine = parseCommandLine(argc, argv, std::cout, std::cerr);
    if (commandLine.exitStatus) return *commandLine.exitStatus;
    LaunchOptions options = commandLine.options;
    // A headless replay's standard output is its one summary line.
    std::ostream& announce = options.replayPath && options.headless ? std::cerr : std::cout;
    if (!lookUpGameFiles(options, announce, std::cerr)) return 1;
    if (options.checkLevel) return runLevelCheck(options, std::cout, std::cerr);
    if (options.solveLevel) return runSolveLevel(options, std::cout, std::cerr);
    if (options.replayPath && options.headless) return runHeadlessReplay(options, std::cout, std::cerr);
    Application app(options, std::cout, std::cerr);
    return app.run();
}
