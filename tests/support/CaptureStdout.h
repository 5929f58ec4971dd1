#pragma once
#include <iostream>
#include <sstream>
#include <string>

// Captures what `body` writes to std::cout; the game prints its lines there.
template <typename F>
std::string captureStdout(F&& body)
{
    std::ostringstream captured;
    std::streambuf* previous = std::cout.rdbuf(captured.rdbuf());
    try {
        body();
    } catch (...) {
        std::cout.rdbuf(previous);
        throw;
    }
    std::cout.rdbuf(previous);
    return captured.str();
}
