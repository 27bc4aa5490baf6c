// SPDX-License-Identifier: GPL-3.0-or-later
// Time and number text, with full-width CP932 forms folded. Invariants, for any bytes:
// - folding never lengthens the text, and folding the folded text changes nothing;
// - every text reads as minutes within ±kMaxTimeMinutes (no overflow on the way), and those minutes written
//   with room for every hour digit read back as the same minutes;
// - rounding down gives no more and rounding up no less than the minutes, rounding to the nearest gives one
//   of the two, for every unit; a rounded text reads within the range too;
// - a day count written once (as the month file writes it) reads and writes back as the same text.
#include "FuzzSupport.h"

#include "engine/text/Util.h"

#include <cstddef>
#include <cstdint>

using namespace mitoran;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);

    const std::string folded = NormalizeWidth(text);
    fuzz::Require(folded.size() <= text.size(), "folding never lengthens");
    fuzz::Require(NormalizeWidth(folded) == folded, "folding twice is folding once");

    const int minutes = TimeTextToMinutes(text);
    fuzz::Require(minutes >= -kMaxTimeMinutes && minutes <= kMaxTimeMinutes, "time text reads within the range");
    fuzz::Require(TimeTextToMinutes(MinutesToTimeText(minutes, 6, true)) == minutes,
                  "minutes written in full read back the same");

    for (const int unit : RoundingIntervals) {
        const int down = RoundTimeMinutes(minutes, kRoundDown, unit);
        const int up = RoundTimeMinutes(minutes, kRoundUp, unit);
        const int nearest = RoundTimeMinutes(minutes, kRoundNearest, unit);
        fuzz::Require(down <= minutes && minutes <= up, "rounding down and up enclose the minutes");
        fuzz::Require(nearest == down || nearest == up, "rounding to the nearest picks down or up");
        const int rounded = TimeTextToMinutes(RoundTimeText(text, kRoundNearest, unit));
        fuzz::Require(rounded >= -kMaxTimeMinutes && rounded <= kMaxTimeMinutes, "rounded text within the range");
    }

    const std::string days = RealToText(0, 1, TextToReal(text, 1, 0));
    fuzz::Require(RealToText(0, 1, TextToReal(days, 1, 0)) == days, "a day count written once stays");
    return 0;
}
