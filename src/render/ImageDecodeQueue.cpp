#include "render/ImageDecodeQueue.h"

#include <algorithm>

ImageDecodeQueue::ImageDecodeQueue(std::vector<std::string> list, unsigned workers, std::size_t ahead)
    : paths(std::move(list)), lookAhead(std::max<std::size_t>(1, ahead)), images(paths.size()),
      decoded(paths.size(), false)
{
    for (unsigned i = 0; i < workers && !paths.empty(); ++i) threads.emplace_back([this] { work(); });
}

ImageDecodeQueue::~ImageDecodeQueue()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    for (std::thread& thread : threads) thread.join();
}

unsigned ImageDecodeQueue::defaultWorkers()
{
    return std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
}

void ImageDecodeQueue::work()
{
    for (;;) {
        std::size_t index = 0;
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [this] {
                return stopping || nextToDecode >= paths.size() || nextToDecode < nextToTake + lookAhead;
            });
            if (stopping || nextToDecode >= paths.size()) return;
            index = nextToDecode++;
        }
        DecodedImage image = decodeImage(paths[index]);
        {
            std::lock_guard<std::mutex> lock(mutex);
            images[index] = std::move(image);
            decoded[index] = true;
        }
        changed.notify_all();
    }
}

DecodedImage ImageDecodeQueue::take(const std::string& path)
{
    std::unique_lock<std::mutex> lock(mutex);
    if (threads.empty() || nextToTake >= paths.size() || paths[nextToTake] != path) {
        lock.unlock();
        return decodeImage(path);
    }
    const std::size_t index = nextToTake;
    changed.wait(lock, [&] { return decoded[index]; });
    DecodedImage image = std::move(images[index]);
    images[index] = DecodedImage();  // the moved-from slot keeps no memory
    ++nextToTake;
    lock.unlock();
    changed.notify_all();
    return image;
}
