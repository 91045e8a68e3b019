// The parameters of every SGR sequence in a stream of terminal output, in order, for
// checking which colours and attributes were sent ("\x1b[0;7m" gives 0 and 7; an empty
// parameter counts as 0). Other control sequences are passed over whatever their final byte.
#pragma once

#include <string>
#include <vector>

inline std::vector<int> SgrParameters(const std::string& stream) {
    std::vector<int> parameters;
    for (std::size_t i = stream.find("\x1b["); i != std::string::npos;
         i = stream.find("\x1b[", i + 1)) {
        std::size_t end = i + 2;
        while (end < stream.size() && (stream[end] < 0x40 || stream[end] > 0x7E)) {
            ++end;
        }
        if (end >= stream.size() || stream[end] != 'm') {
            continue;
        }
        int value = 0;
        for (std::size_t k = i + 2; k <= end; ++k) {
            if (stream[k] == ';' || k == end) {
                parameters.push_back(value);
                value = 0;
            } else {
                value = value * 10 + (stream[k] - '0');
            }
        }
    }
    return parameters;
}
