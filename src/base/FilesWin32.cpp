// The file classes on Windows: wide paths, handles, and ReplaceFileW for the replacement.
#include "Files.h"
#include "Text.h"
#include "WideText.h"

#include <windows.h>

namespace {

std::u16string systemReason(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string reason = coreText(buffer, length);
    LocalFree(buffer);
    while (!reason.empty() && (reason.back() == u'\r' || reason.back() == u'\n' || reason.back() == u'.' ||
                               reason.back() == u'\x3002' || reason.back() == u' '))
        reason.pop_back();
    return reason.empty() ? u"error " + decimalText(std::int64_t(error)) : reason;
}

const char16_t kNotRegular[] = u"通常のファイルではありません";

HANDLE handleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

bool isInvalid(std::intptr_t handle) {
    return handle == -1 || handleOf(handle) == INVALID_HANDLE_VALUE;
}

// What a replacement needs to know of the file that a path leads to.
struct Target {
    std::filesystem::path path; // symbolic links and junctions followed
    DWORD attributes = 0;
    DWORD links = 0;
};

// Follows every symbolic link and junction of `path`: the file opened through them names itself.
// A path that leads to nothing yet is made whole from the current folder: Wine's ReplaceFileW
// refuses a bare file name (ERROR_DIRECTORY).
Target targetOf(const std::filesystem::path& path) {
    std::error_code error;
    Target target{std::filesystem::absolute(path, error)};
    if (error)
        target.path = path;
    HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return target;
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetFinalPathNameByHandleW(file, name.data(), DWORD(name.size()), FILE_NAME_NORMALIZED);
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        name.resize(length); // the size needed, the terminator included
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(file, &info)) {
        target.attributes = info.dwFileAttributes;
        target.links = info.nNumberOfLinks;
    }
    CloseHandle(file);
    if (!name.empty())
        target.path = name;
    return target;
}

// Replaces `target` by `replacement` once; the system's error, or 0. ReplaceFileW keeps what the
// file carries besides its bytes; the plain move stands in where there is no file to replace, where
// the volume does not support it, and where it removed the old file but could not put the new one
// in its place (ERROR_UNABLE_TO_MOVE_REPLACEMENT: the name is free then).
DWORD replaceOnce(const std::filesystem::path& replacement, const std::filesystem::path& target) {
    if (ReplaceFileW(target.c_str(), replacement.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr))
        return 0;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
        error != ERROR_INVALID_FUNCTION && error != ERROR_NOT_SUPPORTED && error != ERROR_INVALID_PARAMETER)
        return error;
    if (MoveFileExW(replacement.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return GetLastError();
}

// Replaces `target` by `replacement`; the system's error, or 0. Another program may hold the
// target for a moment (a second run replacing it too, a virus scanner, the search indexer), which
// fails the replacement with a denied access or a sharing violation: it is tried again for about
// a second before that counts. A read-only file denies it for good.
DWORD replaceFile(const std::filesystem::path& replacement, const std::filesystem::path& target) {
    for (int attempt = 0;; ++attempt) {
        const DWORD error = replaceOnce(replacement, target);
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == 50)
            return error;
        Sleep(20);
    }
}

// A replacement is on the disk only once its folder is: flushed, a power cut leaves the old file
// or the new one. A folder that cannot be opened for it is left to the file system's own journal.
void flushFolder(const std::filesystem::path& file) {
    HANDLE folder = CreateFileW(file.parent_path().c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder != INVALID_HANDLE_VALUE) {
        FlushFileBuffers(folder);
        CloseHandle(folder);
    }
}

bool writeAll(HANDLE file, const char* data, std::size_t size, std::u16string& error) {
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : DWORD(size);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr)) {
            error = systemReason(GetLastError());
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// The attributes that a new file takes over from the one it replaces; read-only is not among
// them, since a read-only file is not replaced.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

} // namespace

InputFile::~InputFile() {
    if (!isInvalid(m_handle))
        CloseHandle(handleOf(m_handle));
}

bool InputFile::open(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        m_error = systemReason(ERROR_DIRECTORY);
        return false;
    }
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        m_error = systemReason(GetLastError());
        return false;
    }
    // Pipes, consoles and devices are no catalogue: reading them may block or never end.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        m_error = kNotRegular;
        return false;
    }
    m_handle = reinterpret_cast<std::intptr_t>(file);
    return true;
}

std::ptrdiff_t InputFile::read(char* buffer, std::size_t size) {
    DWORD got = 0;
    const DWORD wanted = size > 0x40000000 ? 0x40000000 : DWORD(size);
    if (!ReadFile(handleOf(m_handle), buffer, wanted, &got, nullptr)) {
        m_error = systemReason(GetLastError());
        return -1;
    }
    return std::ptrdiff_t(got);
}

ReplacingFile::~ReplacingFile() {
    discard();
}

void ReplacingFile::discard() {
    if (!isInvalid(m_handle))
        CloseHandle(handleOf(m_handle));
    m_handle = -1;
    if (!m_temporary.empty())
        DeleteFileW(m_temporary.c_str());
    m_temporary.clear();
    m_inPlace = false;
}

bool ReplacingFile::open(const std::filesystem::path& target, Fallback fallback) {
    discard();
    const Target file = targetOf(target);
    m_target = file.path;
    const DWORD attributes = GetFileAttributesW(m_target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        m_error = systemReason(ERROR_DIRECTORY);
        return false;
    }
    DWORD reason = ERROR_SUCCESS;
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path temporary = m_target;
        temporary += L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                     std::to_wstring(GetTickCount() + attempt) + L".tmp";
        // Read as well: a write in place copies it back.
        HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            m_temporary = temporary;
            m_handle = reinterpret_cast<std::intptr_t>(handle);
            m_attributes = file.attributes & kKeptAttributes;
            m_inPlace = file.links > 1;
            return true;
        }
        reason = GetLastError();
        if (reason != ERROR_FILE_EXISTS)
            break;
    }
    if (fallback == Fallback::WriteInPlace && exists) {
        HANDLE handle = CreateFileW(m_target.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            m_handle = reinterpret_cast<std::intptr_t>(handle);
            return true;
        }
        reason = GetLastError();
    }
    m_error = systemReason(reason);
    return false;
}

bool ReplacingFile::write(const char* data, std::size_t size) {
    return !isInvalid(m_handle) && writeAll(handleOf(m_handle), data, size, m_error);
}

bool ReplacingFile::writeInPlace() {
    HANDLE target =
        CreateFileW(m_target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING, 0, nullptr);
    bool ok = target != INVALID_HANDLE_VALUE && SetFilePointerEx(handleOf(m_handle), {}, nullptr, FILE_BEGIN);
    if (!ok)
        m_error = systemReason(GetLastError());
    char buffer[1 << 16];
    while (ok) {
        DWORD got = 0;
        if (!ReadFile(handleOf(m_handle), buffer, sizeof buffer, &got, nullptr)) {
            m_error = systemReason(GetLastError());
            ok = false;
        } else if (got == 0) {
            break;
        } else {
            ok = writeAll(target, buffer, got, m_error);
        }
    }
    if (ok && !FlushFileBuffers(target)) {
        m_error = systemReason(GetLastError());
        ok = false;
    }
    if (target != INVALID_HANDLE_VALUE)
        CloseHandle(target);
    return ok;
}

bool ReplacingFile::commit() {
    if (isInvalid(m_handle))
        return false;
    bool ok = FlushFileBuffers(handleOf(m_handle)) != 0;
    if (!ok)
        m_error = systemReason(GetLastError());
    if (ok && m_inPlace && !writeInPlace()) {
        m_error = keptCopyMessage();
        m_temporary.clear(); // the one whole copy of the new content stays
        ok = false;
    }
    CloseHandle(handleOf(m_handle));
    m_handle = -1;
    if (ok && !m_temporary.empty() && !m_inPlace) {
        // ReplaceFileW carries the attributes itself; the move that may stand in for it does not.
        if (m_attributes != 0)
            SetFileAttributesW(m_temporary.c_str(), m_attributes);
        const DWORD error = replaceFile(m_temporary, m_target);
        ok = error == 0;
        if (!ok) {
            m_error = systemReason(error);
        } else {
            m_temporary.clear();
            flushFolder(m_target);
        }
    }
    discard(); // after a write in place, the temporary copy goes
    return ok;
}
