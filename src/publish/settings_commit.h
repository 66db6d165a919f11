#pragma once

#include <functional>
#include <system_error>

#include "app/base/config_record.h"

namespace bv::app {
class Shell;
}

namespace bv::publish {

// Puts a dialog's edited copy of the configuration in place and saves it.
// When the save fails the configuration goes back to what it was and an error
// box says why; the dialog then stays open. Returns whether it was saved.
bool commitSettings(app::Shell& shell, app::ConfigRecord& live, const app::ConfigRecord& draft,
                    const std::function<std::error_code()>& save);

} // namespace bv::publish
