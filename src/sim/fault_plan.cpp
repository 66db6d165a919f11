#include "sim/fault_plan.h"

namespace bv::sim {

std::optional<FaultRule> FaultPlan::take(FaultKind kind, std::string_view replyTo)
{
    for (FaultRule& rule : rules_) {
        if (rule.kind != kind || rule.count == 0 ||
            (!rule.command.empty() && rule.command != replyTo))
            continue;
        if (rule.probability < 1.0 && random_.unit() >= rule.probability)
            return std::nullopt;
        if (rule.count > 0)
            --rule.count;
        ++fired_[static_cast<std::size_t>(kind)];
        return rule;
    }
    return std::nullopt;
}

void FaultPlan::dropBytes(std::vector<std::uint8_t>& bytes, const FaultRule& rule)
{
    for (int i = 0; i < rule.dropCount && !bytes.empty(); ++i)
        bytes.erase(bytes.begin() + random_.below(static_cast<int>(bytes.size())));
}

} // namespace bv::sim
