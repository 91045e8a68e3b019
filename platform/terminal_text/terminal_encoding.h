// How a terminal encodes characters beyond ASCII: what the key decoder reads
// and the presenter writes.
#pragma once

enum class TerminalEncoding { Utf8, Latin1, Ascii };
