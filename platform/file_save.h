// A file written whole or not at all: the plan that --plan names. Each side
// implements it in its own folder.
#pragma once

#include <string>
#include <string_view>

// Writes `contents` into the file named `path` (UTF-8 on every system). A
// regular file, or a name that does not exist yet, is replaced whole: the text
// goes into a temporary file in the same folder, flushed to the disk, which is
// renamed over the name only once complete, and removed on any failure, so a
// full disk or a size limit leaves the old file as it was. A symbolic link is
// followed and its target replaced, as writing through it would. The new file
// gets the old one's permissions, or for a new name those the umask leaves.
// A name that is not a regular file (a FIFO, /dev/stdout, a device) is written
// straight, since nothing can stand in for it.
// Returns 0 once everything is written, else the errno value of the first
// failure, for std::strerror: ENOENT when the folder does not exist.
int SaveFile(const std::string& path, std::string_view contents);
