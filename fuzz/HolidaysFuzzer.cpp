// SPDX-License-Identifier: GPL-3.0-or-later
// The holiday list "Holiday.dat": read any bytes, save the list, read the saved file. Invariant: the list
// read back equals the list saved, and saving it again writes the same bytes.
#include "FuzzSupport.h"

#include "engine/settings/HolidayList.h"

#include <cstddef>
#include <cstdint>

using namespace mitoran;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path input = fuzz::WorkFolder() / "Holiday.dat";
    const std::filesystem::path saved = fuzz::WorkFolder() / "Saved.dat";
    fuzz::WriteBytes(input, fuzz::AsText(data, size));
    std::filesystem::remove(saved);
    HolidayList list;
    ReadHolidayList(list, input);
    SaveHolidayList(list, saved);
    const std::string bytes = fuzz::ReadBytes(saved);

    HolidayList reread;
    fuzz::Require(ReadHolidayList(reread, saved), "the saved list is there");
    fuzz::Require(reread == list, "the list reads back as saved");
    SaveHolidayList(reread, saved);
    fuzz::Require(fuzz::ReadBytes(saved) == bytes, "saving again writes the same bytes");
    return 0;
}
