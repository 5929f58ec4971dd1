#include "platform/Screenshot.h"

#include <epoxy/gl.h>
#include <stb_image_write.h>

#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "core/XdgPaths.h"

namespace fs = std::filesystem;

fs::path screenshotPath(const char* xdgPicturesDir, const char* home, std::time_t now)
{
    fs::path folder = ".";
    if (const auto pictures = xdgFolder(xdgPicturesDir, home, "Pictures")) {
        std::error_code error;
        fs::create_directories(*pictures / "Vaultrise", error);
        if (fs::is_directory(*pictures / "Vaultrise", error)) folder = *pictures / "Vaultrise";
    }
    return unusedTimedPath(folder, "vaultrise_", "%Y-%m-%d_%H-%M-%S", "_", ".png", now);
}

bool saveScreenshot(const fs::path& path, int width, int height, std::ostream& log)
{
    if (width <= 0 || height <= 0) {
        log << "Screenshot failed: the window has no pixels\n";
        return false;
    }
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    // GL's rows start at the bottom, a PNG's at the top.
    stbi_flip_vertically_on_write(1);
    if (!stbi_write_png(path.c_str(), width, height, 3, pixels.data(), width * 3)) {
        log << "Screenshot failed: cannot write " << path.string() << "\n";
        return false;
    }
    log << "Screenshot saved: " << path.string() << "\n";
    return true;
}
