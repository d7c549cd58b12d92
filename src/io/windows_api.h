#pragma once

// <windows.h> without its min and max macros, which would break std::min and std::max, and
// without the parts of the API that Sondrix does not use.
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif
