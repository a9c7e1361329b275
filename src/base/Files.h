#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

// The byte streams the core reads and writes, and the files behind them. The file classes have
// one implementation per platform (FilesPosix.cpp, FilesWin32.cpp); paths stay as the system
// gives them, so a file name that is not valid text still names its file.

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes into `buffer`: the count, 0 at the end, -1 on a read error.
    virtual std::ptrdiff_t read(char* buffer, std::size_t size) = 0;
    // Why the last read failed, as the system says it.
    virtual std::u16string errorText() const = 0;
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // False when not all bytes could be written; errorText() then says why.
    virtual bool write(const char* data, std::size_t size) = 0;
    virtual std::u16string errorText() const = 0;
};

// Bytes held in memory, for text that is already read and for tests.
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string bytes) : m_bytes(std::move(bytes)) {}
    std::ptrdiff_t read(char* buffer, std::size_t size) override;
    std::u16string errorText() const override { return {}; }

private:
    std::string m_bytes;
    std::size_t m_pos = 0;
};

class MemorySink final : public ByteSink {
public:
    bool write(const char* data, std::size_t size) override {
        m_bytes.append(data, size);
        return true;
    }
    std::u16string errorText() const override { return {}; }
    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// A regular file opened for reading. Anything else (a folder, a named pipe, a device, a socket)
// is refused at open, before a read could block or never end.
class InputFile final : public ByteSource {
public:
    InputFile() = default;
    ~InputFile() override;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // False when the file cannot be opened; errorText() says why.
    bool open(const std::filesystem::path& path);
    std::ptrdiff_t read(char* buffer, std::size_t size) override;
    std::u16string errorText() const override { return m_error; }

private:
    std::intptr_t m_handle = -1;
    std::u16string m_error;
};

// A new file that replaces `target` only when it is complete: the bytes go to a temporary file in
// the target's folder, which commit() flushes to the disk and puts in the target's place, then
// flushes the folder, so that a power cut leaves the old file or the new one. Until then the
// target stays as it was, and a file that is never committed is removed again. Two writers of one
// target leave one complete file, the last committed (but for a file written in place, below).
//
// The file keeps its identity. A symbolic link (or a chain of them; on Windows also a junction on
// the way) is followed: the file it leads to is replaced, in its own folder, and the link stays.
// The new file gets the old one's permissions, and its owner and group where the process may set
// them (POSIX); on Windows ReplaceFileW keeps its attributes, security, creation time and streams
// (a plain move stands in where the volume lacks it, and the attributes are carried over by hand).
// A file that has further hard links is written in place once the complete new content is on the
// disk in the temporary file, so that every name sees it; should that write fail, the temporary
// file stays and the error names it.
class ReplacingFile final : public ByteSink {
public:
    enum class Fallback {
        None,
        // Where no temporary file can be made beside the target (a folder the user may not write
        // in) but the target itself is writable, write the target in place instead.
        WriteInPlace,
    };

    ReplacingFile() = default;
    ~ReplacingFile() override;
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // False when nothing can be written; errorText() says why, and the target is untouched.
    bool open(const std::filesystem::path& target, Fallback fallback = Fallback::None);
    bool write(const char* data, std::size_t size) override;
    // Makes the new file the target. False when that failed: the target is untouched then,
    // except when writing in place, where it holds what could be written.
    bool commit();
    std::u16string errorText() const override { return m_error; }

private:
    void discard();
    // Copies the temporary file over the target's own bytes and flushes them.
    bool writeInPlace();
    // The reason a write in place failed, and where the new content is kept.
    std::u16string keptCopyMessage() const;

    std::filesystem::path m_target;    // the file that the given path leads to
    std::filesystem::path m_temporary; // empty when writing in place without a copy
    std::intptr_t m_handle = -1;
    std::u16string m_error;
    bool m_inPlace = false; // the target has further hard links
#ifdef _WIN32
    unsigned long m_attributes = 0; // the target's, carried over to the new file
#endif
};

enum class PathKind { Missing, RegularFile, Other };
// What `path` is, following links; Other for folders, pipes, devices and sockets.
PathKind pathKind(const std::filesystem::path& path);

// True when both paths name one file (the same device and inode, or volume and file index):
// hard links and bind mounts included. False when either does not exist.
bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b);
