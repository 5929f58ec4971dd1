#include "platform/Screenshot.h"

#include <epoxy/gl.h>
#include <stb_image_write.h>

#include <ostream>
#include <system_error>

#include "core/UserDirs.h"
#include "core/XdgPaths.h"

namespace fs = std::filesystem;

fs::path screenshotFolder(const char* xdgPicturesDir, const char* xdgConfigHome, const char* home)
{
    std::optional<fs::path> pictures;
    if (xdgPicturesDir && xdgPicturesDir[0] == '/')
        pictures = fs::path(xdgPicturesDir);
    else
        pictures = userDir("XDG_PICTURES_DIR", xdgConfigHome, home);
    if (!pictures) pictures = xdgFolder(nullptr, home, "Pictures");
    if (pictures) {
        std::error_code error;
        fs::create_directories(*pictures / "Vaultrise", error);
        if (fs::is_directory(*pictures / "Vaultrise", error)) return *pictures / "Vaultrise";
    }
    return ".";
}

CreatedFile createScreenshotFile(const fs::path& folder, std::time_t now)
{
    return createTimedFile(folder, "vaultrise_", "%Y-%m-%d_%H-%M-%S", "_", ".png", now);
}

namespace {

void appendBytes(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

}  // namespace

std::string encodePng(const Picture& picture)
{
    std::string png;
    if (!stbi_write_png_to_func(appendBytes, &png, picture.width, picture.height, 3, picture.rgb.data(),
                                picture.width * 3))
        png.clear();
    return png;
}

ScreenshotTaker::ScreenshotTaker(PictureEncoder encoder) : encoder(std::move(encoder)), worker([this] { work(); }) {}

ScreenshotTaker::~ScreenshotTaker()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    worker.join();
}

void ScreenshotTaker::take(CreatedFile file, int width, int height, std::ostream& log)
{
    if (width <= 0 || height <= 0) {
        std::error_code ignored;
        if (file.valid()) fs::remove(file.path(), ignored);  // no empty picture left behind
        log << "Screenshot failed: the window has no pixels\n";
        return;
    }
    if (!file.valid()) {
        log << "Screenshot failed: cannot write " << file.path().string() << "\n";
        return;
    }
    Picture picture{width, height, std::vector<unsigned char>(static_cast<size_t>(width) * height * 3)};
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
    // GL's rows start at the bottom, a picture's at the top.
    const size_t row = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height / 2; ++y)
        std::swap_ranges(picture.rgb.begin() + static_cast<long>(y * row),
                         picture.rgb.begin() + static_cast<long>((y + 1) * row),
                         picture.rgb.begin() + static_cast<long>((height - 1 - y) * row));
    {
        const std::lock_guard<std::mutex> lock(mutex);
        queue.push_back(Job{std::move(file), std::move(picture)});
    }
    wake.notify_all();
}

void ScreenshotTaker::printFinished(std::ostream& log)
{
    std::vector<std::string> lines;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        lines.swap(finished);
    }
    for (const std::string& line : lines) log << line;
}

void ScreenshotTaker::waitUntilWritten()
{
    std::unique_lock<std::mutex> lock(mutex);
    wake.wait(lock, [this] { return queue.empty() && busy == 0; });
}

void ScreenshotTaker::work()
{
    std::unique_lock<std::mutex> lock(mutex);
    while (true) {
        wake.wait(lock, [this] { return stopping || !queue.empty(); });
        if (queue.empty()) return;  // stopping, and every picture is written
        Job job = std::move(queue.front());
        queue.pop_front();
        ++busy;
        lock.unlock();
        const std::string png = encoder(job.picture);
        const bool written = !png.empty() && job.file.writeAll(png);
        const std::string path = job.file.path().string();
        job.file.close();
        std::error_code ignored;
        if (!written) fs::remove(path, ignored);  // no empty picture left behind
        lock.lock();
        finished.push_back(written ? "Screenshot saved: " + path + "\n"
                                   : "Screenshot failed: cannot write " + path + "\n");
        --busy;
        wake.notify_all();
    }
}
