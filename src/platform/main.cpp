#include <iostream>

#include "platform/Application.h"
#include "platform/CommandLine.h"

int main(int argc, char** argv)
{
    const CommandLine commandLine = parseCommandLine(argc, argv, std::cout, std::cerr);
    if (commandLine.exitStatus) return *commandLine.exitStatus;
    Application app(commandLine.options);
    return app.run();
}
