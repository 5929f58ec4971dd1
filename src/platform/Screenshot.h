#pragma once
#include <condition_variable>
#include <ctime>
#include <deque>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/ExclusiveFile.h"

// F12: the window's picture as a PNG in the pictures folder's Vaultrise folder
// (made when missing): $XDG_PICTURES_DIR, else the desktop's XDG_PICTURES_DIR
// in user-dirs.dirs, else ~/Pictures; the current folder when none can be made.
// Named by the date and time. Success prints "Screenshot saved: PATH"; a
// failure prints one line and the game plays on.

// The folder the pictures go to. Arguments are the variables' values (null when unset).
std::filesystem::path screenshotFolder(const char* xdgPicturesDir, const char* xdgConfigHome, const char* home);

// A new, exclusively created file for the next picture in `folder`.
CreatedFile createScreenshotFile(const std::filesystem::path& folder, std::time_t now);

// The pixels of one picture: rows of RGB bytes, the top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};
// Turns a picture into the bytes of its file (empty when it cannot).
using PictureEncoder = std::function<std::string(const Picture&)>;
std::string encodePng(const Picture& picture);

// The frame that takes a screenshot only reads the pixels; encoding and
// writing run on a thread of their own, so the frame time (and with it the
// void and the clock) does not grow by them. The lines they end with are
// printed by the frame thread, in order, through `printFinished`.
class ScreenshotTaker {
public:
    explicit ScreenshotTaker(PictureEncoder encoder = encodePng);
    ~ScreenshotTaker();  // writes every picture still queued
    ScreenshotTaker(const ScreenshotTaker&) = delete;
    ScreenshotTaker& operator=(const ScreenshotTaker&) = delete;

    // Reads the default framebuffer (the frame just drawn, before the swap)
    // of `width` × `height` pixels and queues it for `file`.
    void take(CreatedFile file, int width, int height, std::ostream& log);
    // Prints the lines of the pictures written since the last call.
    void printFinished(std::ostream& log);
    // Blocks until every queued picture is written (shutdown, tests).
    void waitUntilWritten();

private:
    struct Job {
        CreatedFile file;
        Picture picture;
    };
    void work();

    PictureEncoder encoder;
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Job> queue;
    std::vector<std::string> finished;
    int busy = 0;
    bool stopping = false;
    std::thread worker;
};
