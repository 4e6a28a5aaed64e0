// The one place that pulls in the Windows headers for the harness, so every
// file sees the same macros (lean headers, no min/max macros).
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
