// Standard input, output and error as the process was started with them, kept
// so for the whole run. Each side implements it in its own folder.
#pragma once

// Called first in main. A stream that was closed at start stays unusable, as
// closed: a read or write on it fails with "Bad file descriptor", so "cannot
// write to standard output" is still said. What the run opens later (the
// terminal, a plan file) never takes its place. On POSIX a file opened takes
// the lowest free number, so with standard output closed (`orvane >&-`) the
// terminal would become standard output and a plan for "-" would be written
// onto the screen.
void ReserveStandardStreams();
