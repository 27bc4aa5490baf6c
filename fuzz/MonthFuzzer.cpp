// SPDX-License-Identifier: GPL-3.0-or-later
// The month file through the session's path: load, recalculate and save, then load the saved file, recalculate
// and save again. Invariants: the second round changes nothing in the month — the same day count, days and
// summary; a file the program wrote is written again byte for byte (the first save of a foreign file may
// move keys, whose order carries no meaning); any bytes load without a crash and within the 31 day slots.
#include "FuzzSupport.h"

#include "engine/calendar/Calendar.h"
#include "engine/month/MonthFile.h"
#include "engine/settings/Folders.h"
#include "engine/settings/HolidayList.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/Settings.h"

#include <cstddef>
#include <cstdint>

using namespace mitoran;

namespace {

class FuzzFolders final : public Folders {
public:
    std::filesystem::path DataFolder() const override { return fuzz::WorkFolder(); }
    std::filesystem::path CurrentDirectory() const override { return fuzz::WorkFolder(); }
    std::string ProgramName() const override { return "mitoran"; }
};

// The settings of a first run.
const Settings& FirstRunSettings() {
    static const Settings settings = [] {
        MemorySettingsStore store;
        const FuzzFolders folders;
        Settings loaded;
        LoadSettings(loaded, SettingsContext{store, folders, "", "", false});
        return loaded;
    }();
    return settings;
}

struct Saved {
    MonthSheet sheet;
    std::string bytes;
};

Saved LoadAndSave(const MonthLocation& location) {
    static const CalendarRules rules;
    static const HolidayList holidays;
    Saved saved;
    LoadMonth(saved.sheet, 2024, 3, true, location, rules, holidays);
    fuzz::Require(saved.sheet.dayCount >= 0 && saved.sheet.dayCount <= kMaxDays, "day count within the slots");
    SaveMonth(saved.sheet, 2024, 3, location, FirstRunSettings());
    saved.bytes = fuzz::ReadBytes(MonthFilePath(location.dataFolder, 2024, 3, location.user));
    return saved;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const MonthLocation location{fuzz::WorkFolder(), ""};
    fuzz::WriteBytes(MonthFilePath(location.dataFolder, 2024, 3, ""), fuzz::AsText(data, size));
    const Saved first = LoadAndSave(location);
    const Saved second = LoadAndSave(location);
    fuzz::Require(second.sheet.dayCount == first.sheet.dayCount, "the day count stays");
    fuzz::Require(second.sheet.days == first.sheet.days, "the days stay");
    fuzz::Require(second.sheet.summary == first.sheet.summary, "the summary stays");
    fuzz::Require(LoadAndSave(location).bytes == second.bytes, "a file the program wrote is written again as it is");
    return 0;
}
