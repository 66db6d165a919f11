#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace bv::publish {

// Where pppd keeps the connections it can call: one file per peer.
inline constexpr std::string_view kPeersDirectory = "/etc/ppp/peers";

// The dial-up phonebook: the names of the regular files of peersDir, sorted;
// none when the directory does not exist or cannot be read.
std::vector<std::string> listPhonebook(const std::filesystem::path& peersDir);

} // namespace bv::publish
