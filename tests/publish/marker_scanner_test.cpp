#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "publish/marker_scanner.h"
#include "publish/publish_paths.h"

namespace bv::publish {
namespace {

// Replaces "<!--a-->" (any case) by "A!" and leaves every other marker.
std::string expandA(std::string_view line)
{
    std::string out;
    expandLine(
        line,
        [](std::string_view marker) -> std::optional<std::string> {
            if (marker == "<!--a-->" || marker == "<!--A-->")
                return "A!";
            return std::nullopt;
        },
        out);
    return out;
}

TEST(MarkerScannerTest, ReplacesWholeMarkersAndCopiesEverythingElse)
{
    const std::string longLine = std::string(197, 'x') + "<!--a-->" + std::string(95, 'y');
    struct Case {
        std::string line;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"<p><!--a--></p>", "<p>A!</p>"},
        {"<!--a--><!--a-->", "A!A!"},
        {"<!--A--> <!-- a -->", "A! <!-- a -->"},
        {"<!----><!--a-->", "<!---->A!"},   // an empty comment is no marker
        {"<!---->", "<!---->"},             //
        {"<!--<!--a-->", "<!--<!--a-->"},   // the marker runs from the first opening
        {"<!--b--><!--a-->", "<!--b-->A!"}, // an unknown marker stays; the search goes on
        {"x <!--a", "x <!--a"},             // unterminated
        {"<!--a--> <!--", "A! <!--"},
        {"<!--->", "<!--->"}, // the closing cannot share the opening's dashes
        {longLine, std::string(197, 'x') + "A!" + std::string(95, 'y')},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(expandA(c.line), c.expected) << c.line;
}

TEST(PublishPathsTest, NamesTheConvertedTemplateAndSpotsTemplates)
{
    struct Case {
        std::string entry;
        std::string converted; // with extension "htm" under /st
        bool isTemplate;
    };
    const std::vector<Case> cases = {
        {"/web/index.htx", "/st/templates/index.htm", true},
        {"/web/INDEX.HTX", "/st/templates/INDEX.htm", false},
        {"sub/page.htx", "/st/templates/sub/page.htm", true},
        {"/web.htx/readme", "/st/templates/readme.htm", false},
        {"/web/a.htx.old", "/st/templates/a.htx.htm", true},
        {"plain", "/st/templates/plain.htm", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(convertedTemplatePath(c.entry, "/st", "htm"), c.converted) << c.entry;
        EXPECT_EQ(templateMark(c.entry) != std::string::npos, c.isTemplate) << c.entry;
    }
}

} // namespace
} // namespace bv::publish
