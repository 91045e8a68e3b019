#include "platform/file_save.h"

#include "windows_console.h"

#include <algorithm>
#include <cerrno>
#include <vector>

namespace {

constexpr DWORD kLongestChunk = 1u << 20;
constexpr DWORD kLongestPath = 32768; // in UTF-16 units, the "\\?\" form's limit
constexpr int kNamesTried = 100;

// The errno value std::strerror names a failure with, as the C runtime's own
// file functions would set it.
int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
        return EINVAL;
    default:
        return EIO;
    }
}

int LastCause() {
    return ErrnoOf(GetLastError());
}

// The name in UTF-16, as the wide functions take it; false for bytes that are
// not UTF-8 (the command line arrives as UTF-8).
bool Utf16(const std::string& text, std::wstring& wide) {
    const int length = static_cast<int>(text.size());
    const int size =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (size <= 0) {
        return false;
    }
    wide.assign(static_cast<std::size_t>(size), L'\0');
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(),
                               size) == size;
}

// 0 once every byte is written (and, with `flush`, on the disk), else errno.
// Each write's own result is looked at, so a full disk is never taken for success.
int WriteAll(HANDLE file, std::string_view contents, bool flush) {
    while (!contents.empty()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(contents.size(), kLongestChunk));
        DWORD written = 0;
        if (WriteFile(file, contents.data(), chunk, &written, nullptr) == 0) {
            return LastCause();
        }
        if (written == 0) {
            return EIO;
        }
        contents.remove_prefix(written);
    }
    return flush && FlushFileBuffers(file) == 0 ? LastCause() : 0;
}

int CloseChecked(HANDLE file, int cause) {
    const bool closed = CloseHandle(file) != 0;
    return cause != 0 ? cause : (closed ? 0 : LastCause());
}

// As fopen(path, "wb") would: for names that cannot be replaced. Only a disk
// file can be flushed; a pipe or a device takes the bytes as written.
int WriteStraight(const std::wstring& name, std::string_view contents) {
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return LastCause();
    }
    return CloseChecked(file, WriteAll(file, contents, GetFileType(file) == FILE_TYPE_DISK));
}

struct Target {
    std::wstring path;       // the file at the end of any links
    bool replaceable = true; // a disk file or a name that does not exist yet
};

// Opened for its attributes only, which follows a symbolic link to its target.
// A name that cannot be opened for another reason than not existing is left
// to the straight write, which meets the same failure and reports it.
Target FindTarget(const std::wstring& name) {
    Target target{name, true};
    const HANDLE file =
        CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        target.replaceable = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return target;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    target.replaceable = GetFileType(file) == FILE_TYPE_DISK &&
                         GetFileInformationByHandle(file, &information) != 0 &&
                         (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    if (target.replaceable) {
        std::vector<wchar_t> final(kLongestPath);
        const DWORD length = GetFinalPathNameByHandleW(file, final.data(), kLongestPath,
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length > 0 && length < kLongestPath) {
            target.path.assign(final.data(), length);
        }
    }
    CloseHandle(file);
    return target;
}

// The folder part of a name, with its separator; empty for the current folder.
std::wstring FolderOf(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

// A new file beside the target, found by trying names until one is free.
HANDLE CreateTemporary(const std::wstring& folder, std::wstring& temporary) {
    const std::wstring stem =
        folder + L".orvane-plan-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (int attempt = 0; attempt < kNamesTried; ++attempt) {
        temporary = stem + std::to_wstring(attempt) + L".tmp";
        const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

int Replace(const Target& target, std::string_view contents) {
    std::wstring temporary;
    const HANDLE file = CreateTemporary(FolderOf(target.path), temporary);
    if (file == INVALID_HANDLE_VALUE) {
        return LastCause();
    }
    int cause = CloseChecked(file, WriteAll(file, contents, true));
    if (cause == 0 && MoveFileExW(temporary.c_str(), target.path.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
        cause = LastCause();
    }
    if (cause != 0) {
        DeleteFileW(temporary.c_str());
    }
    return cause;
}

} // namespace

int SaveFile(const std::string& path, std::string_view contents) {
    std::wstring name;
    if (!Utf16(path, name)) {
        return EILSEQ;
    }
    const Target target = FindTarget(name);
    return target.replaceable ? Replace(target, contents) : WriteStraight(name, contents);
}
