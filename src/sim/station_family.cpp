#include "sim/station_family.h"

#include "sim/classic_family.h"
#include "sim/tirrel_family.h"

namespace bv::sim {

std::unique_ptr<StationFamily> makeStationFamily(Family family)
{
    if (family == Family::Tirrel)
        return std::make_unique<TirrelFamily>();
    return std::make_unique<ClassicFamily>();
}

} // namespace bv::sim
