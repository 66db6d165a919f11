#include "publish/template_job.h"

namespace bv::publish {

namespace {

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error))
        return true;
    // The page may not exist yet: compare the paths the two names resolve to.
    std::error_code errorA;
    std::error_code errorB;
    const std::filesystem::path canonicalA = std::filesystem::weakly_canonical(a, errorA);
    const std::filesystem::path canonicalB = std::filesystem::weakly_canonical(b, errorB);
    return !errorA && !errorB && canonicalA == canonicalB;
}

// Reads, expands and writes one line; false at the end of in.
bool convertLine(std::istream& in, std::ostream& out, const MarkerExpander& expand, TextLine& line,
                 std::string& expanded)
{
    if (!readLine(in, line))
        return false;
    expanded.clear();
    expandLine(line.text, expand, expanded);
    if (line.ended)
        expanded += '\n';
    out.write(expanded.data(), static_cast<std::streamsize>(expanded.size()));
    return true;
}

} // namespace

TemplateJob::TemplateJob(const std::filesystem::path& templatePath,
                         const std::filesystem::path& outputPath, MarkerExpander expand)
    : expand_(std::move(expand))
{
    if (sameFile(templatePath, outputPath)) {
        result_ = ConversionResult::OutputIsTemplate;
        return;
    }
    in_.open(templatePath, std::ios::binary);
    if (!in_.is_open()) {
        result_ = ConversionResult::TemplateUnreadable;
        return;
    }
    out_.open(outputPath, std::ios::binary | std::ios::trunc);
    if (!out_.is_open())
        result_ = ConversionResult::OutputUnwritable;
}

bool TemplateJob::convertNextLine()
{
    if (result_ != ConversionResult::Converted ||
        !convertLine(in_, out_, expand_, line_, expanded_))
        return false;
    if (!out_)
        result_ = ConversionResult::OutputUnwritable;
    return result_ == ConversionResult::Converted;
}

ConversionResult TemplateJob::finish()
{
    in_.close();
    if (out_.is_open()) {
        out_.close();
        if (out_.fail())
            result_ = ConversionResult::OutputUnwritable;
    }
    return result_;
}

TemplateJob openTemplateJob(const std::filesystem::path& templatePath,
                            const std::filesystem::path& outputPath, MarkerExpander expand)
{
    return TemplateJob(templatePath, outputPath, std::move(expand));
}

bool convertLines(std::istream& in, std::ostream& out, const MarkerExpander& expand)
{
    TextLine line;
    std::string expanded;
    while (convertLine(in, out, expand, line, expanded)) {
    }
    return static_cast<bool>(out);
}

ConversionResult convertTemplate(const std::filesystem::path& templatePath,
                                 const std::filesystem::path& outputPath,
                                 const MarkerExpander& expand)
{
    TemplateJob job(templatePath, outputPath, expand);
    while (job.convertNextLine()) {
    }
    return job.finish();
}

} // namespace bv::publish
