#include "golden_image.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

#include <gd.h>

namespace bv::images::test {
namespace {

using GdImage = std::unique_ptr<gdImage, decltype(&gdImageDestroy)>;

GdImage decodeGif(const std::filesystem::path& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return {nullptr, gdImageDestroy};
    GdImage image(gdImageCreateFromGif(file), gdImageDestroy);
    std::fclose(file);
    return image;
}

// The colour of a pixel as r,g,b, or -1 when it is transparent.
long pixelColour(gdImagePtr image, int x, int y)
{
    const int index = gdImageGetPixel(image, x, y);
    if (index == gdImageGetTransparent(image))
        return -1;
    return (long{gdImageRed(image, index)} << 16) | (gdImageGreen(image, index) << 8) |
           gdImageBlue(image, index);
}

} // namespace

std::string compareWithGolden(const std::filesystem::path& actual, const std::string& goldenName)
{
    const std::filesystem::path golden =
        std::filesystem::path(BV_GOLDEN_DIR) / (goldenName + ".gif");
    const char* update = std::getenv("BV_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::filesystem::copy_file(actual, golden,
                                   std::filesystem::copy_options::overwrite_existing);
        return {};
    }
    const GdImage want = decodeGif(golden);
    const GdImage got = decodeGif(actual);
    if (!want || !got)
        return "cannot decode " + (want ? actual.string() : golden.string());
    if (gdImageSX(want.get()) != gdImageSX(got.get()) ||
        gdImageSY(want.get()) != gdImageSY(got.get()))
        return "sizes differ";
    int differing = 0;
    std::ostringstream first;
    for (int y = 0; y < gdImageSY(want.get()); ++y)
        for (int x = 0; x < gdImageSX(want.get()); ++x)
            if (pixelColour(want.get(), x, y) != pixelColour(got.get(), x, y) && differing++ == 0)
                first << " first at (" << x << "," << y << ")";
    if (differing == 0)
        return {};
    return std::to_string(differing) + " pixels differ from " + golden.string() + first.str();
}

bool isTransparentAt(const std::filesystem::path& gif, int x, int y)
{
    const GdImage image = decodeGif(gif);
    return image && pixelColour(image.get(), x, y) == -1;
}

int opaqueWhitePixels(const std::filesystem::path& gif, int firstRow, int lastRow)
{
    constexpr long kWhiteRgb = 0xFFFFFF;
    const GdImage image = decodeGif(gif);
    int count = 0;
    for (int y = firstRow; image && y <= lastRow; ++y)
        for (int x = 0; x < gdImageSX(image.get()); ++x)
            count += pixelColour(image.get(), x, y) == kWhiteRgb ? 1 : 0;
    return count;
}

} // namespace bv::images::test
