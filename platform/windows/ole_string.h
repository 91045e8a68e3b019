// OLE byte strings on Windows are oleaut32's own: SysAllocStringByteLen,
// SysFreeString and SysStringByteLen.
#pragma once

#include "windows_console.h"
