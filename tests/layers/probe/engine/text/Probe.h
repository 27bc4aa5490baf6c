// An include that points up: the layer check must report it.
#include "engine/month/MonthSheet.h"
