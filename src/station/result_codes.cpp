#include "station/result_codes.h"

#include "app/base/shell.h"
#include "app/base/strings_station.h"

namespace bv::station {

std::string_view resultText(int result)
{
    switch (result) {
    case kPortBusy:
        return app::strings::kStationPortBusy;
    case kPortUnopenable:
    case kLineSettingsRefused:
        return app::strings::kComPortOpenError;
    case kOutOfMemory:
        return app::kOutOfMemoryText;
    case kNoStationModel:
        return app::strings::kNoStationModel;
    default:
        return result >= 0 ? std::string_view{} : app::strings::kStationCommError.text;
    }
}

} // namespace bv::station
