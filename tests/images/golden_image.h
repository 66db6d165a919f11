#pragma once

#include <filesystem>
#include <string>

namespace bv::images::test {

// Compares the GIF at actual with the golden file of that name, pixel by pixel
// after decoding both (colour and transparency). Returns an empty text when
// they agree, else what differs. With BV_UPDATE_GOLDEN=1 in the environment the
// golden file is replaced instead.
std::string compareWithGolden(const std::filesystem::path& actual, const std::string& goldenName);

// True when the file decodes and the pixel at (x, y) is transparent.
bool isTransparentAt(const std::filesystem::path& gif, int x, int y);

// The pixels of rows firstRow to lastRow that are white and not transparent.
int opaqueWhitePixels(const std::filesystem::path& gif, int firstRow, int lastRow);

} // namespace bv::images::test
