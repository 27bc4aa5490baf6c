// An include between sibling features: the layer check must report it.
#include "engine/leave/Ledger.h"
#include "engine/totals/PayAmounts.h"
