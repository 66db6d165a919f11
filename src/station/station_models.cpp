#include "station/station_models.h"

#include <array>

#include "station/result_codes.h"

namespace bv::station {

namespace {

constexpr ProtocolTraits kClassicProtocol{
    .commandCrc = false,
    .dataReplyCrc = false,
    .commandAttempts = 2,
    .ackResult = kDone,
    .crcErrorResult = kClassicCrcError,
    .loopPacketSize = 18,
    .dialReadsResult = true,
};

constexpr ProtocolTraits tirrelProtocol(bool withCrc)
{
    return ProtocolTraits{
        .commandCrc = withCrc,
        .dataReplyCrc = withCrc,
        .commandAttempts = 1,
        .ackResult = kOk,
        .crcErrorResult = kTirrelCrcError,
        .loopPacketSize = 36,
        .dialReadsResult = false,
    };
}

constexpr ArchiveGeometry kClassicArchive{
    .recordSize = 21,
    .recordsInRing = 1560,
    .wrapFlag = {0, 66, 1},
    .newRecordPointer = {1, 0, 7},
    .archivePeriod = {1, 60, 2},
};

constexpr ArchiveGeometry kTirrelArchive{
    .recordSize = 32,
    .recordsInRing = 1015,
    .wrapFlag = {0, 66, 1},
    .newRecordPointer = {1, 10, 4},
    .archivePeriod = {1, 82, 2},
};

constexpr StationMemoryMap kClassicMemory{
    .modelNumber = {0, 77, 1},
    .clockTime = {1, 190, 6},
    .clockDate = {1, 200, 4},
    .leafSensorFlag = {0, 0, 0},
    .highWindSpeed = {0, 96, 2},
    .rainTipsAddress = 214,
    .scheduleAlignAddress = 72,
    .clearArchiveAddress = 0,
};

constexpr StationMemoryMap kTirrelMemory{
    .modelNumber = {0, 77, 1},
    .clockTime = {1, 148, 4},
    .clockDate = {1, 158, 6},
    .leafSensorFlag = {0, 14, 1},
    .highWindSpeed = {0, 98, 2},
    .rainTipsAddress = 207,
    .scheduleAlignAddress = 84,
    .clearArchiveAddress = 6,
};

constexpr StationModel classic(int code, std::string_view name, int detectedNumber,
                               bool rainCollector = true)
{
    return StationModel{code,
                        name,
                        StationFamily::Classic,
                        '\0',
                        detectedNumber,
                        kClassicProtocol,
                        kClassicArchive,
                        kClassicMemory,
                        rainCollector};
}

constexpr StationModel tirrel(int code, std::string_view name, char letter)
{
    return StationModel{code,
                        name,
                        StationFamily::Tirrel,
                        letter,
                        4,
                        tirrelProtocol(letter == 'E'),
                        kTirrelArchive,
                        kTirrelMemory};
}

// In model-code order; the detected numbers are what each station reports at
// bank 0, address 77 (both Tirrel models report 4).
constexpr std::array<StationModel, kModelCount> kModels{
    classic(0, "Ostrel II", 2),     classic(1, "Carrow III", 0), classic(2, "Carrow II", 1),
    classic(3, "Lunett", 3, false), tirrel(4, "Tirrel D", 'D'),  tirrel(5, "Tirrel E", 'E'),
};

} // namespace

std::span<const StationModel> stationModels()
{
    return kModels;
}

const StationModel* findStationModel(int code)
{
    if (code < 0 || code >= kModelCount)
        return nullptr;
    return &kModels[static_cast<std::size_t>(code)];
}

const StationModel& tirrelModel(char letter)
{
    return kModels[letter == 'D' ? 4 : 5];
}

const StationModel& classicModel()
{
    return kModels[0];
}

} // namespace bv::station
