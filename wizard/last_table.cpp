#include "wizard/last_table.h"

OvDbObjectId lastTableId;
