// The file classes on Windows: wide paths, handles, and MoveFileExW for the replacement.
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

// Replaces `target` by `replacement`; the system's error, or 0. Another program may hold the
// target for a moment (a second run replacing it too, a virus scanner, the search indexer), which
// fails the replacement with a denied access or a sharing violation: it is tried again for about
// a second before that counts.
DWORD replaceFile(const std::filesystem::path& replacement, const std::filesystem::path& target) {
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(replacement.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        const DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == 50)
            return error;
        Sleep(20);
    }
}

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
}

bool ReplacingFile::open(const std::filesystem::path& target, Fallback fallback) {
    discard();
    m_target = target;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        m_error = systemReason(ERROR_DIRECTORY);
        return false;
    }
    DWORD reason = ERROR_SUCCESS;
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path temporary = target;
        temporary += L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                     std::to_wstring(GetTickCount() + attempt) + L".tmp";
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            m_temporary = temporary;
            m_handle = reinterpret_cast<std::intptr_t>(file);
            return true;
        }
        reason = GetLastError();
        if (reason != ERROR_FILE_EXISTS)
            break;
    }
    if (fallback == Fallback::WriteInPlace && exists) {
        HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            m_handle = reinterpret_cast<std::intptr_t>(file);
            return true;
        }
        reason = GetLastError();
    }
    m_error = systemReason(reason);
    return false;
}

bool ReplacingFile::write(const char* data, std::size_t size) {
    if (isInvalid(m_handle))
        return false;
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : DWORD(size);
        DWORD written = 0;
        if (!WriteFile(handleOf(m_handle), data, chunk, &written, nullptr)) {
            m_error = systemReason(GetLastError());
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool ReplacingFile::commit() {
    if (isInvalid(m_handle))
        return false;
    bool ok = FlushFileBuffers(handleOf(m_handle)) != 0;
    if (!ok)
        m_error = systemReason(GetLastError());
    CloseHandle(handleOf(m_handle));
    m_handle = -1;
    if (ok && !m_temporary.empty()) {
        const DWORD error = replaceFile(m_temporary, m_target);
        ok = error == 0;
        if (!ok)
            m_error = systemReason(error);
        else
            m_temporary.clear();
    }
    discard();
    return ok;
}
