#include "publish/phonebook.h"

#include <algorithm>

namespace bv::publish {

std::vector<std::string> listPhonebook(const std::filesystem::path& peersDir)
{
    std::vector<std::string> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(peersDir, error), end; !error && it != end;
         it.increment(error))
        if (it->is_regular_file(error))
            entries.push_back(it->path().filename().string());
    std::ranges::sort(entries);
    return entries;
}

} // namespace bv::publish
