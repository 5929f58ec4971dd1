#pragma once
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "render/TextureLoader.h"

// Decodes a list of image files known in advance on worker threads, in list
// order, while the main thread does other start-up work (the window, the
// context, the programs); the main thread then takes the images in the same
// order and uploads them. Decoded images wait for at most `lookAhead` slots
// past the last one taken, which bounds the memory they hold.
class ImageDecodeQueue {
public:
    ImageDecodeQueue(std::vector<std::string> paths, unsigned workers, std::size_t lookAhead);
    // Stops the workers after the image each is decoding and joins them.
    ~ImageDecodeQueue();
    ImageDecodeQueue(const ImageDecodeQueue&) = delete;
    ImageDecodeQueue& operator=(const ImageDecodeQueue&) = delete;

    // The decoded `path`: when it is the next image of the list, the workers'
    // copy (waiting for it if need be); otherwise decoded here and now.
    DecodedImage take(const std::string& path);

    // Workers for this machine: one per core, at least 1 and at most 4.
    static unsigned defaultWorkers();

private:
    void work();

    const std::vector<std::string> paths;
    const std::size_t lookAhead;
    std::vector<DecodedImage> images;
    std::vector<bool> decoded;
    std::size_t nextToDecode = 0, nextToTake = 0;
    bool stopping = false;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::thread> threads;
};
