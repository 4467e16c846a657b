// The table that the wizard inserted last into a drawing (null until one is inserted); the
// preview page links it to its source objects on Finish.
#pragma once
#include "platform/host/db_object.h"

extern OvDbObjectId lastTableId;
