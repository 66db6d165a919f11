#pragma once

#include <filesystem>
#include <string_view>

#include "images/gauge_image.h"
#include "images/image_result.h"

namespace bv::images {

// The folder of the station directory that holds every generated image.
inline constexpr std::string_view kImagesFolder = "Images";

// stationDir/Images/fileName.
std::filesystem::path imagePath(const std::filesystem::path& stationDir, std::string_view fileName);

// Draws image on a fresh gd canvas and writes it as a GIF to
// stationDir/Images/fileName, creating the folder when it is missing and
// replacing an old file. Fails with the out-of-memory text when gd cannot make
// the image, or with "Error writing image file " and the path.
ImageResult writeImage(GaugeImage& image, const std::filesystem::path& stationDir,
                       std::string_view fileName);

} // namespace bv::images
