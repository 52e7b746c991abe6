#pragma once
// Byte streams with a position, as pictures and value lists read and write them.
// ReadBuffer fails with "Erreur de lecture du flux" when fewer bytes remain than asked for.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace plat {

class Stream {
public:
    virtual ~Stream() = default;

    // Reads up to count bytes; answers how many were read.
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual int64_t GetPosition() const = 0;
    // Positions beyond the end are allowed; reading there reads nothing.
    virtual void SetPosition(int64_t position) = 0;
    virtual int64_t GetSize() const = 0;

    // Reads exactly count bytes or raises EReadError.
    void ReadBuffer(void* buffer, size_t count);
    // Writes exactly count bytes or raises EWriteError.
    void WriteBuffer(const void* buffer, size_t count);
    // Bytes between the position and the end (0 when the position is past the end).
    int64_t Remaining() const;
    // Copies count bytes from source's position (all of source from its start when count is 0).
    int64_t CopyFrom(Stream& source, int64_t count);

    int32_t ReadInt32LE();
    void WriteInt32LE(int32_t value);
};

class MemoryStream : public Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<uint8_t> bytes) : m_data(std::move(bytes)) {}

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t GetPosition() const override { return m_position; }
    void SetPosition(int64_t position) override;
    int64_t GetSize() const override { return static_cast<int64_t>(m_data.size()); }

    void SetSize(int64_t size);
    void Clear();
    const std::vector<uint8_t>& Bytes() const { return m_data; }
    std::vector<uint8_t>& Bytes() { return m_data; }

private:
    std::vector<uint8_t> m_data;
    int64_t m_position = 0;
};

// A file opened for reading, or created (truncated) for writing.
class FileStream : public Stream {
public:
    enum class Mode { OpenRead, Create };
    // Raises EFOpenError or EFCreateError with the system's reason.
    FileStream(const std::string& path, Mode mode);
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t GetPosition() const override;
    void SetPosition(int64_t position) override;
    int64_t GetSize() const override;

private:
    std::FILE* m_file = nullptr;
};

// The system's reason for the last failed file operation, in the user's language where available.
std::string SystemErrorText(int errnum);

} // namespace plat
