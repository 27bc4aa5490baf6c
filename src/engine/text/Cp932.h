// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Conversion between CP932 byte text (what the engine and the data files hold) and UTF-8.
// Characters that cannot be converted become a replacement character; conversion never fails.
namespace mitoran {

// True when the byte starts a double-byte CP932 character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Bytes of the character at the position: two for a lead byte with its trail byte, else one.
constexpr std::size_t CharLength(std::string_view text, std::size_t position) {
    return IsLeadByte(static_cast<unsigned char>(text[position])) && position + 1 < text.size() ? 2 : 1;
}

std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

// A file-system path for CP932 text (a user name or file name), in the platform's path encoding.
std::filesystem::path PathFromCp932(std::string_view cp932);

} // namespace mitoran
