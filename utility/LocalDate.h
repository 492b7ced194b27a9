// The current local date and time as a DateRecord, for the log file's header.
#pragma once

#include "utility/DateText.h"

// The UTC offset is worked out on the first call and kept for the rest of the process.
DateRecord CurrentLocalDate();
