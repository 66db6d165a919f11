#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// "install.hdr" of the distribution directory: the installer's texts and the
// files whose presence proves an earlier installation.
namespace bv::setup {

inline constexpr std::string_view kInstallHeaderName = "install.hdr";
inline constexpr std::size_t kHeaderLines = 10;
inline constexpr std::size_t kMaxHeaderLineLength = 254; // 255 with its line end

struct InstallHeader {
    // Lines 1 to 10; a line the file does not have is absent.
    std::array<std::optional<std::string>, kHeaderLines> lines;

    std::string line(std::size_t number) const; // 1-based; "" when absent
    std::string dialogTitle() const { return line(1); }
    std::string backgroundTitle() const { return line(2); }
    std::string openingMessage() const { return line(3); }
    std::string description() const { return line(4); }
    std::string proposedDirectory() const { return line(5); }
    std::string iconFile() const { return line(6); }
};

// The lines of the text: each without its line feed and then an optional
// carriage return, cut (not split) at kMaxHeaderLineLength characters; a last
// line without a line feed keeps all its letters; lines after the tenth are
// ignored.
InstallHeader parseInstallHeader(std::string_view text);

enum class HeaderRead { Read, Missing, Invalid };

// Reads "install.hdr" from dir: Missing when it cannot be opened, Invalid when
// not even one line can be read.
HeaderRead readInstallHeader(const std::filesystem::path& dir, InstallHeader& header);

} // namespace bv::setup
