#include <gtest/gtest.h>

#include "setup/install_header.h"

namespace bv::setup {
namespace {

TEST(InstallHeader, LinesLoseOnlyTheirLineEnds)
{
    const std::string longLine(300, 'x');
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } rows[] = {
        {"Title\r\nBack\r\n", {"Title", "Back"}},
        {"Title\nBack", {"Title", "Back"}}, // the last line keeps its last letter
        {"A\n\nC\n", {"A", "", "C"}},
        {longLine + "\nnext\n", {std::string(254, 'x'), "next"}}, // cut, not split
        {"1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        {"", {}},
    };
    for (const auto& row : rows) {
        const InstallHeader header = parseInstallHeader(row.text);
        for (std::size_t i = 0; i < kHeaderLines; ++i) {
            if (i < row.lines.size())
                EXPECT_EQ(header.lines[i], row.lines[i]) << row.text << " line " << i + 1;
            else
                EXPECT_FALSE(header.lines[i].has_value()) << row.text << " line " << i + 1;
        }
    }
}

} // namespace
} // namespace bv::setup
