// The file classes on POSIX systems.
#include "Files.h"
#include "Text.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::u16string systemReason(int error) {
    return fromUtf8(std::strerror(error));
}

const char16_t kNotRegular[] = u"通常のファイルではありません";

int fd(std::intptr_t handle) {
    return int(handle);
}

// As many links as the system follows before it gives up (ELOOP).
constexpr int kMaxLinks = 40;

// The file that `path` leads to: each symbolic link in its last part followed, as opening it would,
// a relative one from the link's own folder. A path that leads nowhere yet stays as it is; false
// with the reason when a link cannot be read or the links run in a circle.
bool followLinks(const std::filesystem::path& path, std::filesystem::path& file, int& reason) {
    file = path;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        std::error_code error;
        if (std::filesystem::symlink_status(file, error).type() != std::filesystem::file_type::symlink)
            return true;
        const std::filesystem::path link = std::filesystem::read_symlink(file, error);
        if (error) {
            reason = error.value();
            return false;
        }
        file = link.is_absolute() ? link : file.parent_path() / link;
    }
    reason = ELOOP;
    return false;
}

// The old file's owner and group for the new one, where this process may set them: root sets both,
// another user at most a group of their own. Otherwise the new file is the process's, as any new file.
bool keepOwner(int file, const struct stat& old) {
    return ::fchown(file, old.st_uid, old.st_gid) == 0 || ::fchown(file, uid_t(-1), old.st_gid) == 0;
}

bool writeAll(int file, const char* data, std::size_t size, std::u16string& error) {
    while (size > 0) {
        const ssize_t written = ::write(file, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error = systemReason(errno);
            return false;
        }
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

// A rename is on the disk only once its folder is: flushed, a power cut leaves the old file or the
// new one. Some file systems refuse to flush a folder; the rename stands all the same.
void flushFolder(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
}

} // namespace

InputFile::~InputFile() {
    if (m_handle >= 0)
        ::close(fd(m_handle));
}

bool InputFile::open(const std::filesystem::path& path) {
    // Non-blocking, so that opening a named pipe returns at once; it is refused right after.
    const int file = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0) {
        m_error = systemReason(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(file, &info) != 0 || !S_ISREG(info.st_mode)) {
        m_error = S_ISDIR(info.st_mode) ? systemReason(EISDIR) : kNotRegular;
        ::close(file);
        return false;
    }
    ::fcntl(file, F_SETFL, ::fcntl(file, F_GETFL) & ~O_NONBLOCK);
    m_handle = file;
    return true;
}

std::ptrdiff_t InputFile::read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd(m_handle), buffer, size);
        if (got >= 0)
            return got;
        if (errno != EINTR) {
            m_error = systemReason(errno);
            return -1;
        }
    }
}

ReplacingFile::~ReplacingFile() {
    discard();
}

void ReplacingFile::discard() {
    if (m_handle >= 0)
        ::close(fd(m_handle));
    m_handle = -1;
    if (!m_temporary.empty())
        ::unlink(m_temporary.c_str());
    m_temporary.clear();
    m_inPlace = false;
}

bool ReplacingFile::open(const std::filesystem::path& target, Fallback fallback) {
    discard();
    int reason = 0;
    if (!followLinks(target, m_target, reason)) {
        m_error = systemReason(reason);
        return false;
    }
    struct stat info {};
    const bool exists = ::stat(m_target.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) {
        m_error = S_ISDIR(info.st_mode) ? systemReason(EISDIR) : kNotRegular;
        return false;
    }
    std::string pattern = m_target.native() + ".XXXXXX";
    const int temporary = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (temporary >= 0) {
        m_temporary = pattern;
        m_handle = temporary;
        // The new file gets the old one's owner, group and permissions, or those of any new file.
        mode_t mode = info.st_mode & 07777;
        if (exists) {
            keepOwner(temporary, info);
            m_inPlace = info.st_nlink > 1;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ::fchmod(temporary, mode); // after the owner, whose change may clear some of its bits
        return true;
    }
    reason = errno;
    if (fallback == Fallback::WriteInPlace && exists) {
        const int file = ::open(m_target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (file >= 0) {
            m_handle = file;
            return true;
        }
        m_error = systemReason(errno);
        return false;
    }
    m_error = systemReason(reason);
    return false;
}

bool ReplacingFile::write(const char* data, std::size_t size) {
    return m_handle >= 0 && writeAll(fd(m_handle), data, size, m_error);
}

bool ReplacingFile::writeInPlace() {
    const int target = ::open(m_target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    bool ok = target >= 0 && ::lseek(fd(m_handle), 0, SEEK_SET) == 0;
    if (!ok)
        m_error = systemReason(errno);
    char buffer[1 << 16];
    while (ok) {
        const ssize_t got = ::read(fd(m_handle), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            if (!ok)
                m_error = systemReason(errno);
            break;
        }
        ok = writeAll(target, buffer, std::size_t(got), m_error);
    }
    if (ok && ::fsync(target) != 0) {
        m_error = systemReason(errno);
        ok = false;
    }
    if (target >= 0)
        ::close(target);
    return ok;
}

bool ReplacingFile::commit() {
    if (m_handle < 0)
        return false;
    bool ok = ::fsync(fd(m_handle)) == 0;
    if (!ok)
        m_error = systemReason(errno);
    if (ok && m_inPlace && !writeInPlace()) {
        m_error = keptCopyMessage();
        m_temporary.clear(); // the one whole copy of the new content stays
        ok = false;
    }
    if (::close(fd(m_handle)) != 0 && ok) {
        m_error = systemReason(errno);
        ok = false;
    }
    m_handle = -1;
    if (ok && !m_temporary.empty() && !m_inPlace) {
        ok = ::rename(m_temporary.c_str(), m_target.c_str()) == 0;
        if (!ok) {
            m_error = systemReason(errno);
        } else {
            m_temporary.clear();
            flushFolder(m_target);
        }
    }
    discard(); // after a write in place, the temporary copy goes
    return ok;
}
