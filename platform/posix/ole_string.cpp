#include "ole_string.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

// Layout: a 4-byte length, the bytes, then two zero bytes (a wide terminator,
// as the system's strings carry). The handle points just past the length.
BSTR SysAllocStringByteLen(LPCSTR psz, UINT len) {
    auto* block = static_cast<unsigned char*>(std::malloc(sizeof(std::uint32_t) + len + 2));
    if (block == nullptr) {
        return nullptr;
    }
    const std::uint32_t length = len;
    std::memcpy(block, &length, sizeof length);
    unsigned char* text = block + sizeof length;
    if (psz != nullptr) {
        std::memcpy(text, psz, len);
    } else {
        std::memset(text, 0, len);
    }
    text[len] = 0;
    text[len + 1] = 0;
    return reinterpret_cast<BSTR>(text);
}

void SysFreeString(BSTR bstrString) {
    if (bstrString != nullptr) {
        std::free(reinterpret_cast<unsigned char*>(bstrString) - sizeof(std::uint32_t));
    }
}

UINT SysStringByteLen(BSTR bstr) {
    if (bstr == nullptr) {
        return 0;
    }
    std::uint32_t length = 0;
    std::memcpy(&length, reinterpret_cast<unsigned char*>(bstr) - sizeof length, sizeof length);
    return length;
}
