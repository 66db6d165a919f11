#include "launcher/launch_plan.h"

#include <unistd.h>

#include "app/base/strings_setup.h"

namespace bv::launcher {

std::string LaunchPlan::commandText() const
{
    std::string text = program + ' ';
    for (const std::string& argument : arguments)
        text += argument;
    return text;
}

int LaunchPlan::exitCode() const
{
    return build == Build::WithDialUp ? 1 : -1;
}

std::string_view LaunchPlan::missingProgramText() const
{
    return build == Build::WithDialUp ? app::strings::setup::kHollitNotFound
                                      : app::strings::setup::kHollit1NotFound;
}

bool dialUpAvailable(const std::filesystem::path& pppd, const std::filesystem::path& peersDir)
{
    std::error_code error;
    return std::filesystem::is_regular_file(pppd, error) && ::access(pppd.c_str(), X_OK) == 0 &&
           std::filesystem::is_directory(peersDir, error);
}

LaunchPlan planLaunch(bool dialUp, std::string_view commandTail)
{
    LaunchPlan plan;
    plan.build = dialUp ? Build::WithDialUp : Build::WithoutDialUp;
    plan.program = dialUp ? "hollit" : "hollit1";
    if (commandTail.find("-d") != std::string_view::npos ||
        commandTail.find("-D") != std::string_view::npos)
        plan.arguments.emplace_back("-d");
    return plan;
}

std::string commandTail(const std::vector<std::string>& arguments)
{
    std::string tail;
    for (const std::string& argument : arguments) {
        if (!tail.empty())
            tail += ' ';
        tail += argument;
    }
    return tail;
}

} // namespace bv::launcher
