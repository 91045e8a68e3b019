// The console add-on: window decoration and modal message boxes. Numbers are
// 32-bit signed values, texts OLE byte strings; no result needs examining.
#pragma once

#include "ole_string.h"
#include "windows_console.h"

LONG InitConsoleAddOn(HINSTANCE instance, LONG a, LONG b, LONG c, LONG& reference, LONG d);
LONG ConsoleToolBar(LONG a, LONG b);
BSTR ConsoleTitle(BSTR title);
LONG ConsoleIcon(LONG icon);
LONG DeleteWindowMenuItem(LONG command);
LONG Console80x(LONG rows);
LONG ConsoleMove(LONG x, LONG y);
LONG ConsoleMessageBox(BSTR text, LONG a, BSTR title, LONG b, LONG c);
