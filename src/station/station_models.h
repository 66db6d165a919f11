#pragma once

#include <span>
#include <string_view>

// The six station models as data. Both protocol engines, the archive download
// and the settings operations take their per-model numbers from this table.
namespace bv::station {

enum class StationFamily {
    Classic, // Ostrel II, Carrow III, Carrow II, Lunett: ClassicLink on ClassicPort
    Tirrel,  // Tirrel D and E: TirrelLink on TirrelPort
};

// A value in station or logger memory: bank 0 or 1, an 8-bit address and a
// length, both counted in nibbles.
struct MemoryLocation {
    int bank = 0;
    int address = 0;
    int nibbles = 0;
};

struct ProtocolTraits {
    bool commandCrc = false;      // two CRC bytes go out in front of every command
    bool dataReplyCrc = false;    // WRD/RRD replies carry a CRC
    int commandAttempts = 1;      // sends of a command that is not acknowledged
    int ackResult = 0;            // result of an acknowledged command without data
    int crcErrorResult = 0;       // result of a bad CRC in a checked reply
    int loopPacketSize = 0;       // bytes of one LOOP packet, CRC included
    bool dialReadsResult = false; // dialStation waits for the modem's result words
};

struct ArchiveGeometry {
    int recordSize = 0;    // bytes per archive record
    int recordsInRing = 0; // records in the full ring
    int blocksInRing = 256;
    int blockSize = 128;     // data bytes per dump block
    MemoryLocation wrapFlag; // logger memory; bit 0 set once the ring has wrapped
    MemoryLocation
        newRecordPointer; // logger memory; byte offset of the next record (low 16 bits used)
    MemoryLocation archivePeriod; // logger memory; minutes
};

// Station-memory locations the link and the settings operations use.
struct StationMemoryMap {
    MemoryLocation modelNumber;    // the station's model number (AutoDetect, answer check)
    MemoryLocation clockTime;      // BCD hour, minute (and seconds on the classic models)
    MemoryLocation clockDate;      // BCD day, month (and year on Tirrel)
    MemoryLocation leafSensorFlag; // bit 2 set: a leaf-wetness sensor is fitted; nibbles 0 = none
    MemoryLocation highWindSpeed;  // reset to 0 after a wind-speed alarm page
    int rainTipsAddress = 0;       // WWR address of the rain collector's tips per inch
    int scheduleAlignAddress = 0;  // RWR address of the next aligned archive minute
    int clearArchiveAddress = 0;   // RWR address that empties the archive ring
};

struct StationModel {
    int code = 0;          // the configured model code, 0..5
    std::string_view name; // "Ostrel II" ...
    StationFamily family = StationFamily::Classic;
    char letter = '\0';     // 'D' or 'E' for the Tirrel models
    int detectedNumber = 0; // what the station reports at its model-number location
    ProtocolTraits protocol;
    ArchiveGeometry archive;
    StationMemoryMap memory;
    bool rainCollector = true; // takes a rain collector (the Lunett has none)
};

inline constexpr int kModelCount = 6;

std::span<const StationModel> stationModels();
// The model with this configuration code, or nullptr for a code outside 0..5.
const StationModel* findStationModel(int code);
// Tirrel D for the letter 'D', Tirrel E for any other letter.
const StationModel& tirrelModel(char letter);
// The protocol of the four classic models, which is the same for all of them.
const StationModel& classicModel();

} // namespace bv::station
