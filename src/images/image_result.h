#pragma once

#include <string>

namespace bv::images {

enum class ImageStatus { Written, Failed };

// The outcome of making one image or graph: the bare file name of the written
// file, or the text the caller appends to the event log.
struct ImageResult {
    ImageStatus status = ImageStatus::Failed;
    std::string fileName;
    std::string message;

    bool written() const { return status == ImageStatus::Written; }
};

inline ImageResult imageFailed(std::string message)
{
    return {ImageStatus::Failed, {}, std::move(message)};
}

} // namespace bv::images
