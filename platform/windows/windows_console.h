// The Windows console functions, types and constants, from the system headers.
// NOMINMAX and WIN32_LEAN_AND_MEAN come from the build: nothing here may lose
// std::min and std::max to macros. The OLE string functions are oleaut32's.
#pragma once

#include <windows.h>

#include <oleauto.h>
