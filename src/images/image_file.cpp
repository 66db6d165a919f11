#include "images/image_file.h"

#include <system_error>

#include "app/base/shell.h"
#include "app/base/strings_images.h"
#include "images/gd_canvas.h"

namespace bv::images {

std::filesystem::path imagePath(const std::filesystem::path& stationDir, std::string_view fileName)
{
    return stationDir / kImagesFolder / fileName;
}

ImageResult writeImage(GaugeImage& image, const std::filesystem::path& stationDir,
                       std::string_view fileName)
{
    const std::unique_ptr<GdCanvas> canvas = GdCanvas::create(image.width(), image.height());
    if (!canvas)
        return imageFailed(std::string(app::kOutOfMemoryText));
    image.draw(*canvas);
    const std::filesystem::path path = imagePath(stationDir, fileName);
    std::error_code ignored; // a folder that cannot be made shows as a file that cannot be written
    std::filesystem::create_directories(path.parent_path(), ignored);
    if (!canvas->writeGif(path))
        return imageFailed(std::string(app::strings::kImageWriteError) + path.string());
    return {ImageStatus::Written, std::string(fileName), {}};
}

} // namespace bv::images
