#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace bv::sim {

enum class Family { Classic, Tirrel };

// One station model as the simulator plays it.
struct SimulatedModel {
    std::string_view name; // "Tirrel E"
    int modelCode;         // the program's model code 0..5
    Family family;
    std::uint8_t modelNumber; // what the station keeps at bank 0, nibble 77
    bool commandCrc;          // commands arrive with their CRC in front (Tirrel E)
    bool dataCrc;             // memory reads answer with a CRC after the data (Tirrel E)
};

std::span<const SimulatedModel> simulatedModels();
// Case-insensitive; blanks, '-' and '_' are optional ("Tirrel E", "tirrel-e",
// "TIRRELE"). nullptr when no model has that name.
const SimulatedModel* findSimulatedModel(std::string_view name);
// nullptr for a code outside 0..5.
const SimulatedModel* simulatedModelByCode(int modelCode);

} // namespace bv::sim
