#include "Files.h"
#include "Text.h"

#include <algorithm>
#include <cstring>

std::ptrdiff_t MemorySource::read(char* buffer, std::size_t size) {
    const std::size_t count = std::min(size, m_bytes.size() - m_pos);
    std::memcpy(buffer, m_bytes.data() + m_pos, count);
    m_pos += count;
    return std::ptrdiff_t(count);
}

PathKind pathKind(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return PathKind::Missing;
    if (error)
        return PathKind::Other; // exists, but cannot be looked at: opening it will say why
    return status.type() == std::filesystem::file_type::regular ? PathKind::RegularFile : PathKind::Other;
}

bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

std::u16string ReplacingFile::keptCopyMessage() const {
    return formatText(u"%1。新しい内容は %2 に残しました", {m_error, pathText(m_temporary)});
}
