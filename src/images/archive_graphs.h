#pragma once

#include <filesystem>

#include "app/base/config_record.h"
#include "images/image_result.h"
#include "units/regional_settings.h"

namespace bv::images {

// The archive graphs, in the order of the configuration's historyImages.
inline constexpr int kArchiveGraphCount = 11;

// What the archive graphs are made from.
struct GraphInputs {
    std::filesystem::path stationDir;
    const app::ConfigRecord& config; // model, units, background, archive file name
    const units::RegionalSettings& regional;
};

// Makes archive graph index (0..8 line graphs, 9 wind direction, 10 wind run)
// from Download/<archiveFileName> as Images/<file name>. Fails without writing
// with "Not enough data to create the image  " and the file name when the file
// cannot be opened or holds too few usable records (2, or 3 for the wind run)
// spread over some time.
ImageResult makeArchiveGraph(int index, const GraphInputs& inputs);

} // namespace bv::images
