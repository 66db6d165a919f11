#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "publish/marker_scanner.h"
#include "publish/text_lines.h"

namespace bv::publish {

enum class ConversionResult {
    Converted,
    TemplateUnreadable, // the template could not be opened; no output was touched
    OutputUnwritable,   // the page could not be opened or a write to it failed
    OutputIsTemplate,   // the page would overwrite its own template; nothing touched
};

// One template being converted into its page a line at a time, so that the
// transfer cycle can spread the work over its timer steps. Lines of any length
// are read whole; each is written with every marker expanded and "\n" as its
// line end (a last line without a line end stays without).
class TemplateJob {
  public:
    // Opens the template, then the page (created or emptied); see result().
    TemplateJob(const std::filesystem::path& templatePath, const std::filesystem::path& outputPath,
                MarkerExpander expand);

    // Converted when both files are open and lines can be converted.
    ConversionResult result() const { return result_; }
    // Converts the next line: true; false at the end of the template or when
    // the job did not open.
    bool convertNextLine();
    // Closes both files: Converted, or OutputUnwritable when a write failed.
    ConversionResult finish();

  private:
    MarkerExpander expand_;
    std::ifstream in_;
    std::ofstream out_;
    ConversionResult result_ = ConversionResult::Converted;
    TextLine line_;
    std::string expanded_;
};

// The same job with the cycle's names: opened, then stepped with
// convertNextLine until it returns false, then finished.
TemplateJob openTemplateJob(const std::filesystem::path& templatePath,
                            const std::filesystem::path& outputPath, MarkerExpander expand);

// Converts the lines of in onto out, as a job does; false when out failed.
bool convertLines(std::istream& in, std::ostream& out, const MarkerExpander& expand);

// Converts a whole template at once.
ConversionResult convertTemplate(const std::filesystem::path& templatePath,
                                 const std::filesystem::path& outputPath,
                                 const MarkerExpander& expand);

} // namespace bv::publish
