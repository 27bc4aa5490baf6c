// SPDX-License-Identifier: GPL-3.0-or-later
// The paid-leave ledger "Vacation.dat": load any bytes, recalculate, save, and load the saved file into a
// second ledger. Invariant: the second ledger holds the same rows, colours and balances, and saving it after
// its own recalculation writes the same bytes.
#include "FuzzSupport.h"

#include "engine/leave/Ledger.h"

#include <cstddef>
#include <cstdint>

using namespace mitoran;

namespace {

struct Saved {
    Ledger ledger;
    std::string bytes;
};

void LoadRecalculateSave(Saved& saved) {
    saved.ledger.SetLocation(fuzz::WorkFolder(), "");
    saved.ledger.LoadLedger();
    saved.ledger.RecalculateLedger(false);
    saved.ledger.SaveLedger();
    saved.bytes = fuzz::ReadBytes(saved.ledger.LedgerFilePath());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Saved first;
    first.ledger.SetLocation(fuzz::WorkFolder(), "");
    fuzz::WriteBytes(first.ledger.LedgerFilePath(), fuzz::AsText(data, size));
    LoadRecalculateSave(first);

    Saved second;
    second.ledger.SetLocation(fuzz::WorkFolder(), "");
    second.ledger.LoadLedger();
    for (int row = 1; row <= kLedgerRowCount; ++row)
        fuzz::Require(second.ledger.Row(row) == first.ledger.Row(row), "every row reads back as saved");
    fuzz::Require(second.ledger.CarryOverText() == first.ledger.CarryOverText(), "the carry-over reads back");
    fuzz::Require(!second.ledger.IsChanged(), "a ledger just read is unchanged");
    LoadRecalculateSave(second);
    fuzz::Require(second.ledger.CurrentBalanceText() == first.ledger.CurrentBalanceText(), "the balance stays");
    fuzz::Require(second.bytes == first.bytes, "the saved file stays");
    return 0;
}
