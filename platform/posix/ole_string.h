// OLE byte strings, the form in which the console add-on takes and gives texts:
// a pointer to the first byte, the byte length in the four bytes before it and
// a zero after the text. Each call gets a fresh copy, released afterwards.
#pragma once

#include "windows_console.h"

using OLECHAR = char16_t;
using BSTR = OLECHAR*;

BSTR SysAllocStringByteLen(LPCSTR psz, UINT len);
void SysFreeString(BSTR bstrString);
UINT SysStringByteLen(BSTR bstr);
