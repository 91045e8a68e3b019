#include "platform/file_save.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kMostLinksFollowed = 40; // as the kernels' own limit (ELOOP)

// 0 once every byte is written, else errno.
int WriteAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = write(fd, contents.data(), contents.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return written < 0 ? errno : EIO;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// The first failure of the two, 0 when neither failed.
int FirstOf(int cause, int later) {
    return cause != 0 ? cause : later;
}

int CloseChecked(int fd, int cause) {
    return FirstOf(cause, close(fd) != 0 && errno != EINTR ? errno : 0);
}

// As fopen(path, "wb") would: for names that cannot be replaced.
int WriteStraight(const std::string& path, std::string_view contents) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno;
    }
    return CloseChecked(fd, WriteAll(fd, contents));
}

std::string Folder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A name under /dev or /proc stands for a device or for a descriptor already
// open (/dev/stdout, /dev/fd/3, /proc/self/fd/1), even where it leads on to a
// regular file: what was opened there must get the text, not a new file.
bool NamesDeviceOrDescriptor(const std::string& path) {
    return path.rfind("/dev/", 0) == 0 || path.rfind("/proc/", 0) == 0;
}

struct Target {
    std::string path;      // the name at the end of any symbolic links
    bool replaceable;      // a regular file or a new name, not under /dev or /proc
    bool exists;           // ...and it exists: `status` holds
    struct stat status {}; // of the existing file
};

// Follows symbolic links as opening the name would, without opening it.
int FindTarget(const std::string& path, Target& target) {
    target.path = path;
    target.replaceable = !NamesDeviceOrDescriptor(path);
    for (int links = 0; links < kMostLinksFollowed; ++links) {
        struct stat status {};
        if (lstat(target.path.c_str(), &status) != 0) {
            target.exists = false;
            return errno == ENOENT ? 0 : errno;
        }
        if (!S_ISLNK(status.st_mode)) {
            target.exists = true;
            target.status = status;
            target.replaceable = target.replaceable && S_ISREG(status.st_mode);
            return 0;
        }
        std::vector<char> link(PATH_MAX + 1);
        const ssize_t length = readlink(target.path.c_str(), link.data(), link.size() - 1);
        if (length < 0) {
            return errno;
        }
        if (length == 0 || static_cast<std::size_t>(length) >= link.size() - 1) {
            return length == 0 ? ENOENT : ENAMETOOLONG;
        }
        const std::string text(link.data(), static_cast<std::size_t>(length));
        target.path = text.front() == '/' ? text : Folder(target.path) + "/" + text;
        target.replaceable = target.replaceable && !NamesDeviceOrDescriptor(target.path);
    }
    return ELOOP;
}

// The permissions (and, where allowed, the owner) the file would keep if
// written in place; for a new name those that open(..., 0666) would give.
void GivePermissions(int fd, const Target& target) {
    if (!target.exists) {
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
        return;
    }
    // Only the superuser may give a file away; the group may be kept by its
    // members. Where neither is allowed the file becomes ours, as a new one would.
    if ((target.status.st_uid != geteuid() || target.status.st_gid != getegid()) &&
        fchown(fd, target.status.st_uid, target.status.st_gid) != 0 &&
        fchown(fd, static_cast<uid_t>(-1), target.status.st_gid) != 0) {
        errno = 0;
    }
    fchmod(fd, target.status.st_mode & 07777);
}

// The folder's entry for the new name, on the disk as well.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

int Replace(const Target& target, std::string_view contents) {
    const std::string folder = Folder(target.path);
    std::string temporary = folder + "/.orvane-plan-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        // A file we may write in a folder we may not add to: written in place,
        // as before, rather than refused.
        const bool folderClosed = errno == EACCES || errno == EPERM;
        return folderClosed && target.exists ? WriteStraight(target.path, contents) : errno;
    }
    GivePermissions(fd, target);
    int cause = WriteAll(fd, contents);
    if (cause == 0 && fsync(fd) != 0) {
        cause = errno;
    }
    cause = CloseChecked(fd, cause);
    if (cause == 0 && rename(temporary.c_str(), target.path.c_str()) != 0) {
        cause = errno;
    }
    if (cause != 0) {
        unlink(temporary.c_str());
        return cause;
    }
    SyncFolder(folder);
    return 0;
}

} // namespace

int SaveFile(const std::string& path, std::string_view contents) {
    Target target;
    const int cause = FindTarget(path, target);
    if (cause != 0) {
        return cause;
    }
    if (!target.replaceable) {
        return WriteStraight(path, contents);
    }
    // Past a file size limit, write fails with EFBIG instead of the signal
    // ending the process with the temporary file left behind.
    struct sigaction ignore {};
    struct sigaction before {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, &before);
    const int replaced = Replace(target, contents);
    sigaction(SIGXFSZ, &before, nullptr);
    return replaced;
}
