#pragma once

#include <array>
#include <cstdint>

#include "app/base/config_record.h"

namespace bv::app {

// The bytes of "config.dat".
using ConfigImage = std::array<std::uint8_t, kConfigFileSize>;

// Reads every field and reserved area out of the file's bytes.
ConfigRecord decodeConfig(const ConfigImage& image);

// Lays the record out as the file's bytes. Texts longer than their field are
// cut to the field's width less one (never inside a UTF-8 sequence) and
// NUL-filled to its end; reserved areas are written as held.
ConfigImage encodeConfig(const ConfigRecord& record);

} // namespace bv::app
