// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/Cp932.h"

#include <algorithm>
#include <array>
#include <cstddef>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace mitoran {
namespace {

constexpr std::string_view kEncodeReplacement = "?";

struct LookAlike {
    std::string_view from;
    std::string_view to;
};

// Characters that other code pages and input methods produce for what CP932 holds as another code point:
// 〜 − ‖ ¢ £ ¬ become ～ － ∥ ￠ ￡ ￢.
constexpr std::array<LookAlike, 6> kLookAlikes{{
    {"\xE3\x80\x9C", "\xEF\xBD\x9E"},
    {"\xE2\x88\x92", "\xEF\xBC\x8D"},
    {"\xE2\x80\x96", "\xE2\x88\xA5"},
    {"\xC2\xA2", "\xEF\xBF\xA0"},
    {"\xC2\xA3", "\xEF\xBF\xA1"},
    {"\xC2\xAC", "\xEF\xBF\xA2"},
}};

std::string MapLookAlikes(std::string_view utf8) {
    std::string result;
    result.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        bool mapped = false;
        for (const LookAlike& pair : kLookAlikes) {
            if (utf8.substr(i, pair.from.size()) == pair.from) {
                result += pair.to;
                i += pair.from.size();
                mapped = true;
                break;
            }
        }
        if (!mapped) {
            result += utf8[i++];
        }
    }
    return result;
}

#ifdef _WIN32

constexpr std::string_view kDecodeReplacement = "\xEF\xBF\xBD"; // U+FFFD

// The Win32 converters, without their best-fit mappings and default characters: each character is converted
// on its own and strictly, so that what the code page cannot hold becomes one replacement, as iconv does
// elsewhere (é is never written as e, an emoji is one '?', an unassigned double byte is U+FFFD, not ・).
std::wstring ToWideStrict(UINT codePage, std::string_view text) {
    const int size = static_cast<int>(text.size());
    wchar_t wide[4];
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, wide, 4);
    return std::wstring(wide, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string WideToUtf8(const std::wstring& wide) {
    char utf8[16];
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8, sizeof utf8,
                                           nullptr, nullptr);
    return std::string(utf8, static_cast<std::size_t>(length > 0 ? length : 0));
}

// Length of the UTF-8 sequence that starts with this byte; 1 for a stray continuation or invalid byte.
std::size_t Utf8SequenceLength(unsigned char byte) {
    if (byte >= 0xF0 && byte <= 0xF4) {
        return 4;
    }
    if (byte >= 0xE0) {
        return byte <= 0xEF ? 3 : 1;
    }
    return byte >= 0xC2 ? 2 : 1;
}

// Single bytes of code page 932: ASCII and the half-width katakana. Windows also maps 0x80, 0xA0 and
// 0xFD-0xFF to control and private-use characters, which no CP932 text holds.
bool IsSingleByteCharacter(unsigned char byte) {
    return byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF);
}

} // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string result;
    result.reserve(cp932.size() * 2);
    for (std::size_t i = 0; i < cp932.size();) {
        const auto byte = static_cast<unsigned char>(cp932[i]);
        if (byte < 0x80) {
            result += cp932[i++];
            continue;
        }
        std::size_t length = 1;
        if (IsLeadByte(byte) && i + 1 < cp932.size()) {
            const auto trail = static_cast<unsigned char>(cp932[i + 1]);
            if (trail >= 0x40 && trail <= 0xFC && trail != 0x7F)
                length = 2;
        }
        const bool convertible = length == 2 || IsSingleByteCharacter(byte);
        const std::wstring wide = convertible ? ToWideStrict(932, cp932.substr(i, length)) : std::wstring();
        result += wide.empty() ? std::string(kDecodeReplacement) : WideToUtf8(wide);
        i += length;
    }
    return result;
}

std::string Utf8ToCp932(std::string_view text) {
    const std::string utf8 = MapLookAlikes(text);
    std::string result;
    result.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            result += utf8[i++];
            continue;
        }
        // The sequence's own bytes: the lead byte and the continuation bytes that follow it.
        const std::size_t expected = Utf8SequenceLength(byte);
        std::size_t length = 1;
        while (length < expected && i + length < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + length]) & 0xC0) == 0x80) {
            ++length;
        }
        const std::wstring wide = length == expected ? ToWideStrict(CP_UTF8, utf8.substr(i, length)) : std::wstring();
        char bytes[8];
        BOOL usedDefault = FALSE;
        const int written =
            wide.empty() ? 0
                         : WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                               bytes, sizeof bytes, kEncodeReplacement.data(), &usedDefault);
        if (written > 0 && !usedDefault)
            result.append(bytes, static_cast<std::size_t>(written));
        else
            result += kEncodeReplacement;
        i += length;
    }
    return result;
}

#else

// Code page 932 keeps ASCII as it is (0x5C is the backslash, 0x7E the tilde), so names and numbers need
// no converter.
bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

constexpr std::string_view kDecodeReplacement = "\xEF\xBF\xBD"; // U+FFFD

// One converter per direction and thread, opened on first use; no namespace-scope object, so the
// conversion works during static initialisation of other files.
class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}
    ~Converter() {
        if (IsOpen()) {
            iconv_close(m_handle);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole text; each sequence the converter refuses is skipped by skipLength and
    // replaced by the replacement text.
    std::string Convert(std::string_view input, std::size_t (*skipLength)(std::string_view),
                        std::string_view replacement) {
        std::string output;
        if (!IsOpen()) {
            return output;
        }
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        output.reserve(input.size() * 2);
        std::array<char, 1024> buffer{};
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            char* out = buffer.data();
            std::size_t outLeft = buffer.size();
            const std::size_t rc = iconv(m_handle, &in, &inLeft, &out, &outLeft);
            const int error = errno;
            output.append(buffer.data(), static_cast<std::size_t>(out - buffer.data()));
            if (rc != static_cast<std::size_t>(-1) || error == E2BIG) {
                continue;
            }
            const std::size_t skip = error == EINVAL ? inLeft : skipLength(std::string_view(in, inLeft));
            in += skip;
            inLeft -= skip;
            output += replacement;
            iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        }
        return output;
    }

private:
    bool IsOpen() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

    iconv_t m_handle;
};

// Length of the UTF-8 sequence that starts with this byte; 1 for a stray continuation or invalid byte.
std::size_t Utf8SequenceLength(unsigned char byte) {
    if (byte >= 0xF0 && byte <= 0xF4) {
        return 4;
    }
    if (byte >= 0xE0) {
        return byte <= 0xEF ? 3 : 1;
    }
    return byte >= 0xC2 ? 2 : 1;
}

// Bytes to skip over an undecodable CP932 character: a lead byte takes its trail byte with it.
std::size_t Cp932SkipLength(std::string_view rest) {
    if (rest.size() >= 2 && IsLeadByte(static_cast<unsigned char>(rest[0]))) {
        const auto trail = static_cast<unsigned char>(rest[1]);
        if (trail >= 0x40 && trail <= 0xFC && trail != 0x7F) {
            return 2;
        }
    }
    return 1;
}

// Bytes to skip over an unencodable or malformed UTF-8 sequence: the first byte and the continuation
// bytes that belong to it, so a following ASCII character survives.
std::size_t Utf8SkipLength(std::string_view rest) {
    const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(rest[0]));
    std::size_t skip = 1;
    while (skip < length && skip < rest.size() && (static_cast<unsigned char>(rest[skip]) & 0xC0) == 0x80) {
        ++skip;
    }
    return skip;
}

} // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    if (IsAscii(cp932)) {
        return std::string(cp932);
    }
    thread_local Converter decoder("UTF-8", "CP932");
    return decoder.Convert(cp932, Cp932SkipLength, kDecodeReplacement);
}

std::string Utf8ToCp932(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return std::string(utf8);
    }
    thread_local Converter encoder("CP932", "UTF-8");
    return encoder.Convert(MapLookAlikes(utf8), Utf8SkipLength, kEncodeReplacement);
}

#endif

std::filesystem::path PathFromCp932(std::string_view cp932) {
    const std::string utf8 = Cp932ToUtf8(cp932);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace mitoran
