// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace mitoran {

// The eight day categories; the value is the category's tag (popup menu item number).
enum class Kubun { Normal = 0, Holiday, Yukyu, Gozen, Gogo, Daikyu, Kekkin, Handon };
inline constexpr int kKubunCount = 8;

struct KubunInfo {
    Kubun kubun;
    std::string mark;     // what the grid and the file hold ("  " for an ordinary day)
    std::string caption;  // popup menu caption
    std::string fullName; // name used by the paid-leave ledger and the CSV export
};

// The category table in cycling order (CP932 texts).
const std::array<KubunInfo, kKubunCount>& KubunTable();
const KubunInfo& InfoOf(Kubun kubun);
// The category of a mark, compared without blanks at both ends; empty and "  " are Normal.
std::optional<Kubun> KubunOfMark(std::string_view mark);

} // namespace mitoran
