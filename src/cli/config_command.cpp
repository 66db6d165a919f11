#include "cli/config_command.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <string>

#include "app/base/config_file.h"
#include "app/base/config_values.h"
#include "cli/command_line.h"

namespace bv::cli {
namespace {

using app::ConfigField;
using app::ConfigRecord;
using app::FieldSelection;

constexpr std::string_view kUsage =
    "usage: viraraz config show [--json] | get NAME | set NAME VALUE\n";
constexpr std::string_view kMasked = "********";
// The programs run with the defaults when config.dat is unusable.
constexpr std::string_view kShowingDefaults =
    "viraraz: showing the defaults, as the programs use them\n";

std::string jsonString(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[7];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

std::string jsonElement(const ConfigField& field, const std::string& value)
{
    if (app::isTextField(field)) {
        return jsonString(field.secret && !value.empty() ? kMasked : value);
    }
    // JSON has no NaN or infinities, which a float of the file may hold.
    float number = 0;
    const bool nonFinite =
        app::isFloatField(field) &&
        std::from_chars(value.data(), value.data() + value.size(), number).ec == std::errc{} &&
        !std::isfinite(number);
    return nonFinite ? "null" : value;
}

void showJson(const ConfigRecord& record, std::ostream& out)
{
    out << "{\n";
    const auto fields = app::configFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const ConfigField& field = fields[i];
        const auto values = app::formatElements(record, {&field, std::nullopt});
        out << "  " << jsonString(field.name) << ": ";
        if (app::elementCount(field) == 1) {
            out << jsonElement(field, values.front());
        } else {
            out << '[';
            for (std::size_t j = 0; j < values.size(); ++j) {
                out << (j > 0 ? ", " : "") << jsonElement(field, values[j]);
            }
            out << ']';
        }
        out << (i + 1 < fields.size() ? ",\n" : "\n");
    }
    out << "}\n";
}

void showText(const ConfigRecord& record, std::ostream& out)
{
    const auto fields = app::configFields();
    const std::size_t width = std::ranges::max(fields, {}, [](const ConfigField& f) {
                                  return f.name.size();
                              }).name.size();
    for (const ConfigField& field : fields) {
        const FieldSelection selection{&field, std::nullopt};
        std::string value = app::describeValue(record, selection);
        if (field.secret && !value.empty()) {
            value = kMasked;
        }
        out << std::left << std::setw(static_cast<int>(width)) << field.name << " = " << value
            << '\n';
    }
}

int show(CommandContext& context)
{
    const bool json = context.args.size() == 2 && context.args[1] == "--json";
    if (context.args.size() != 1 && !json) {
        context.err << kUsage;
        return kExitUsage;
    }
    ConfigRecord record;
    if (!loadStationConfig(context, record)) {
        context.err << kShowingDefaults;
    }
    if (json) {
        showJson(record, context.out);
    } else {
        showText(record, context.out);
    }
    return kExitOk;
}

int get(CommandContext& context, const FieldSelection& selection)
{
    ConfigRecord record;
    if (!loadStationConfig(context, record)) {
        context.err << kShowingDefaults;
    }
    context.out << app::formatValue(record, selection) << '\n';
    return kExitOk;
}

int set(CommandContext& context, const FieldSelection& selection, std::string_view value)
{
    ConfigRecord record;
    if (!loadStationConfig(context, record)) {
        context.err << "viraraz: left it as it is; move it away to start from the defaults\n";
        return kExitFailure;
    }
    if (const std::string error = app::setValue(record, selection, value); !error.empty()) {
        context.err << "viraraz: " << error << '\n';
        return kExitFailure;
    }
    if (const std::error_code error = app::saveConfig(record, context.stationDir)) {
        context.err << "viraraz: cannot save " << app::configFilePath(context.stationDir).string()
                    << ": " << error.message() << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace

int runConfigCommand(CommandContext& context)
{
    const std::string action = context.args.empty() ? "" : context.args.front();
    if (action == "show") {
        return show(context);
    }
    const std::size_t words = action == "get" ? 2 : action == "set" ? 3 : 0;
    if (words == 0 || context.args.size() != words) {
        context.err << kUsage;
        return kExitUsage;
    }
    std::string error;
    const FieldSelection selection = app::selectField(context.args[1], error);
    if (selection.field == nullptr) {
        context.err << "viraraz: " << error << " (viraraz config show lists the settings)\n";
        return kExitFailure;
    }
    return action == "get" ? get(context, selection) : set(context, selection, context.args[2]);
}

} // namespace bv::cli
