#include "tests/process/terminal_stream.h"

size_t EscapeSequenceEnd(const std::string& stream, size_t pos) {
    size_t next = pos + 1;
    if (next >= stream.size()) {
        return next;
    }
    if (stream[next] == '[') {
        size_t end = next + 1;
        while (end < stream.size() && (stream[end] < 0x40 || stream[end] > 0x7e)) {
            ++end;
        }
        return end + 1;
    }
    if (stream[next] == ']') {
        size_t end = next + 1;
        while (end < stream.size() && stream[end] != '\a' &&
               !(stream[end] == '\x1b' && end + 1 < stream.size() && stream[end + 1] == '\\')) {
            ++end;
        }
        if (end >= stream.size()) {
            return end;
        }
        return stream[end] == '\a' ? end + 1 : end + 2;
    }
    return next + 1;
}

size_t ArrivalOffset(const std::string& stream, const std::string& text) {
    std::string wanted;
    for (char c : text) {
        if (c != ' ') {
            wanted += c;
        }
    }
    // The printed bytes without blanks, each with the offset just past it.
    std::string printed;
    std::vector<size_t> endOffsets;
    size_t pos = 0;
    while (pos < stream.size()) {
        char c = stream[pos];
        if (c == '\x1b') {
            pos = EscapeSequenceEnd(stream, pos);
            continue;
        }
        ++pos;
        if (c != ' ' && static_cast<unsigned char>(c) >= 0x20) {
            printed += c;
            endOffsets.push_back(pos);
        }
    }
    size_t found = printed.find(wanted);
    if (found == std::string::npos || wanted.empty()) {
        return std::string::npos;
    }
    return endOffsets[found + wanted.size() - 1];
}

std::vector<VisibilityChange> CursorVisibilityChanges(const std::string& stream) {
    std::vector<VisibilityChange> changes;
    const std::string prefix = "\x1b[?25";
    for (size_t at = stream.find(prefix); at != std::string::npos;
         at = stream.find(prefix, at + 1)) {
        size_t mode = at + prefix.size();
        if (mode < stream.size() && (stream[mode] == 'h' || stream[mode] == 'l')) {
            changes.push_back({at, stream[mode] == 'h'});
        }
    }
    return changes;
}

bool SetsTitle(const std::string& stream, const std::string& title) {
    for (const char* kind : {"\x1b]0;", "\x1b]2;"}) {
        std::string start = kind + title;
        for (size_t at = stream.find(start); at != std::string::npos;
             at = stream.find(start, at + 1)) {
            size_t end = at + start.size();
            if (end < stream.size() &&
                (stream[end] == '\a' || stream.compare(end, 2, "\x1b\\") == 0)) {
                return true;
            }
        }
    }
    return false;
}
