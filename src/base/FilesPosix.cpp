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
}

bool ReplacingFile::open(const std::filesystem::path& target, Fallback fallback) {
    discard();
    m_target = target;
    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) {
        m_error = S_ISDIR(info.st_mode) ? systemReason(EISDIR) : kNotRegular;
        return false;
    }
    std::string pattern = target.native() + ".XXXXXX";
    const int temporary = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (temporary >= 0) {
        m_temporary = pattern;
        m_handle = temporary;
        // The new file gets the old one's permissions, or those of any new file.
        mode_t mode = info.st_mode & 07777;
        if (!exists) {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ::fchmod(temporary, mode);
        return true;
    }
    const int reason = errno;
    if (fallback == Fallback::WriteInPlace && exists) {
        const int file = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
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
    if (m_handle < 0)
        return false;
    while (size > 0) {
        const ssize_t written = ::write(fd(m_handle), data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            m_error = systemReason(errno);
            return false;
        }
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

bool ReplacingFile::commit() {
    if (m_handle < 0)
        return false;
    bool ok = ::fsync(fd(m_handle)) == 0;
    if (!ok)
        m_error = systemReason(errno);
    if (::close(fd(m_handle)) != 0 && ok) {
        m_error = systemReason(errno);
        ok = false;
    }
    m_handle = -1;
    if (ok && !m_temporary.empty()) {
        ok = ::rename(m_temporary.c_str(), m_target.c_str()) == 0;
        if (!ok)
            m_error = systemReason(errno);
        else
            m_temporary.clear();
    }
    discard();
    return ok;
}
