#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "station/station_memory_values.h"

namespace bv::station::testing {

// Station memory as a map from (bank, address) to the bytes a read returns;
// a location not in the map does not answer.
class MemoryMapReader : public MemoryReader {
  public:
    void set(int bank, int address, std::vector<std::uint8_t> bytes)
    {
        memory_[{bank, address}] = std::move(bytes);
    }
    void setWord(int bank, int address, std::uint16_t word)
    {
        set(bank, address,
            {static_cast<std::uint8_t>(word & 0xFF), static_cast<std::uint8_t>(word >> 8)});
    }

    std::optional<std::vector<std::uint8_t>> readMemory(const MemoryLocation& at) override
    {
        ++reads;
        const auto it = memory_.find({at.bank, at.address});
        if (it == memory_.end())
            return std::nullopt;
        return it->second;
    }

    int reads = 0;

  private:
    std::map<std::pair<int, int>, std::vector<std::uint8_t>> memory_;
};

} // namespace bv::station::testing
