#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "marker_rig.h"
#include "publish/template_job.h"
#include "support/temp_dir.h"

namespace bv::publish {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = fs::path(BV_PUBLISH_GOLDEN_DIR);

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Converts golden/markers.htx (every marker of both families, capitals, blanks,
// empty comments, unterminated markers, lines of 300 and 5000 characters, a CR LF
// line end and a last line without one) for a station polled at 9:00 on 15 June
// 2026. Set BV_UPDATE_GOLDEN=1 to rewrite the golden pages after a deliberate
// change.
std::string convertFor(testing::MarkerRig& station)
{
    testsupport::TempDir dir;
    const fs::path page = dir.path() / "markers.htm";
    EXPECT_EQ(convertTemplate(kGoldenDir / "markers.htx", page, station.markers.expander()),
              ConversionResult::Converted);
    return readFile(page);
}

void expectGolden(const std::string& page, const std::string& goldenName)
{
    const fs::path golden = kGoldenDir / goldenName;
    if (std::getenv("BV_UPDATE_GOLDEN") != nullptr)
        std::ofstream(golden, std::ios::binary) << page;
    EXPECT_EQ(page, readFile(golden)) << goldenName;
}

TEST(TemplateGoldenTest, ClassicStationPage)
{
    testing::MarkerRig station(1); // Carrow III
    expectGolden(convertFor(station), "carrow3.htm");
}

TEST(TemplateGoldenTest, TirrelStationPage)
{
    testing::MarkerRig station(5); // Tirrel E
    expectGolden(convertFor(station), "tirrel_e.htm");
}

TEST(TemplateGoldenTest, WithoutValidDataEveryMarkerStays)
{
    testing::MarkerRig station(5);
    station.rig.conditions.dataValid = false;
    std::string expected = readFile(kGoldenDir / "markers.htx");
    expected.erase(expected.find("\r\n"), 1);
    EXPECT_EQ(convertFor(station), expected);
}

} // namespace
} // namespace bv::publish
