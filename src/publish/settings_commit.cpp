#include "publish/settings_commit.h"

#include "app/base/shell.h"
#include "app/base/strings_publish.h"
#include "app/base/text_pattern.h"

namespace bv::publish {

bool commitSettings(app::Shell& shell, app::ConfigRecord& live, const app::ConfigRecord& draft,
                    const std::function<std::error_code()>& save)
{
    const app::ConfigRecord before = live;
    live = draft;
    const std::error_code error = save ? save() : std::error_code{};
    if (!error)
        return true;
    live = before;
    shell.errorBox(app::fillPattern(app::strings::kSettingsNotSaved, {error.message()}),
                   app::BoxOwner::ActiveWindow);
    return false;
}

} // namespace bv::publish
