// Lines the filter side writes to VLC's log, formatted by the module and handed to VLC's core
// as finished text (module "glimmora", source NV_VLC, the given function name).
#pragma once

#include <cstdarg>

#include "NV_VLC/VlcHeaders.h"

// At VLC's debug level unless priority says otherwise (VLC_MSG_ERR, ...). Texts longer than
// the line buffer are cut.
void FilterLog(vlc_object_t* object, int priority, const char* function, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 4, 5)))
#endif
    ;
void FilterLogV(vlc_object_t* object, int priority, const char* function, const char* format,
                va_list args);

// Milliseconds of VLC's clock, as the log lines show it.
long long ClockMs();
