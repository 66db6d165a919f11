#include "sim/simulated_model.h"

#include <array>
#include <cctype>
#include <string>

namespace bv::sim {

namespace {

constexpr std::array kModels{
    SimulatedModel{"Ostrel II", 0, Family::Classic, 2, false, false},
    SimulatedModel{"Carrow III", 1, Family::Classic, 0, false, false},
    SimulatedModel{"Carrow II", 2, Family::Classic, 1, false, false},
    SimulatedModel{"Lunett", 3, Family::Classic, 3, false, false},
    SimulatedModel{"Tirrel D", 4, Family::Tirrel, 4, false, false},
    SimulatedModel{"Tirrel E", 5, Family::Tirrel, 4, true, true},
};

std::string foldName(std::string_view name)
{
    std::string folded;
    for (char c : name) {
        if (c == ' ' || c == '-' || c == '_')
            continue;
        folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return folded;
}

} // namespace

std::span<const SimulatedModel> simulatedModels()
{
    return kModels;
}

const SimulatedModel* findSimulatedModel(std::string_view name)
{
    const std::string wanted = foldName(name);
    for (const SimulatedModel& m : kModels)
        if (foldName(m.name) == wanted)
            return &m;
    return nullptr;
}

const SimulatedModel* simulatedModelByCode(int modelCode)
{
    for (const SimulatedModel& m : kModels)
        if (m.modelCode == modelCode)
            return &m;
    return nullptr;
}

} // namespace bv::sim
