#include "platform/mfc/time_value.h"

#include "platform/win/window_manager.h"

CTime CTime::GetCurrentTime() { return CTime(static_cast<__time64_t>(StandIn::Clock() / 1000)); }
