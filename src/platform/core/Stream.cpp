#include "Stream.h"

#include "Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace plat {

void Stream::ReadBuffer(void* buffer, size_t count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError();
}

void Stream::WriteBuffer(const void* buffer, size_t count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError();
}

int64_t Stream::Remaining() const
{
    return std::max<int64_t>(0, GetSize() - GetPosition());
}

int64_t Stream::CopyFrom(Stream& source, int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.GetSize();
    }
    std::vector<uint8_t> chunk(static_cast<size_t>(std::min<int64_t>(count, 1 << 20)));
    int64_t left = count;
    while (left > 0) {
        size_t n = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(chunk.size())));
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        left -= static_cast<int64_t>(n);
    }
    return count;
}

int32_t Stream::ReadInt32LE()
{
    uint8_t b[4];
    ReadBuffer(b, 4);
    return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8)
                                | (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24));
}

void Stream::WriteInt32LE(int32_t value)
{
    uint32_t v = static_cast<uint32_t>(value);
    uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                    static_cast<uint8_t>(v >> 24)};
    WriteBuffer(b, 4);
}

size_t MemoryStream::Read(void* buffer, size_t count)
{
    if (m_position >= GetSize() || count == 0)
        return 0;
    size_t n = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), GetSize() - m_position));
    std::memcpy(buffer, m_data.data() + m_position, n);
    m_position += static_cast<int64_t>(n);
    return n;
}

size_t MemoryStream::Write(const void* buffer, size_t count)
{
    if (count == 0)
        return 0;
    size_t end = static_cast<size_t>(m_position) + count;
    if (end > m_data.size())
        m_data.resize(end);
    std::memcpy(m_data.data() + m_position, buffer, count);
    m_position = static_cast<int64_t>(end);
    return count;
}

void MemoryStream::SetPosition(int64_t position) { m_position = std::max<int64_t>(0, position); }

void MemoryStream::SetSize(int64_t size)
{
    m_data.resize(static_cast<size_t>(std::max<int64_t>(0, size)));
    m_position = std::min<int64_t>(m_position, GetSize());
}

void MemoryStream::Clear()
{
    m_data.clear();
    m_position = 0;
}

FileStream::FileStream(const std::string& path, Mode mode)
{
    m_file = std::fopen(path.c_str(), mode == Mode::OpenRead ? "rb" : "wb");
    if (!m_file) {
        int err = errno;
        if (mode == Mode::OpenRead)
            throw EFOpenError(path, SystemErrorText(err));
        throw EFCreateError(path, SystemErrorText(err));
    }
}

FileStream::~FileStream()
{
    if (m_file)
        std::fclose(m_file);
}

size_t FileStream::Read(void* buffer, size_t count) { return std::fread(buffer, 1, count, m_file); }

size_t FileStream::Write(const void* buffer, size_t count) { return std::fwrite(buffer, 1, count, m_file); }

int64_t FileStream::GetPosition() const { return static_cast<int64_t>(std::ftell(m_file)); }

void FileStream::SetPosition(int64_t position)
{
    std::fseek(m_file, static_cast<long>(std::max<int64_t>(0, position)), SEEK_SET);
}

int64_t FileStream::GetSize() const
{
    long here = std::ftell(m_file);
    std::fseek(m_file, 0, SEEK_END);
    long end = std::ftell(m_file);
    std::fseek(m_file, here, SEEK_SET);
    return end;
}

std::string SystemErrorText(int errnum)
{
    switch (errnum) {
    case ENOENT: return "Le fichier spécifié est introuvable";
    case EACCES:
    case EPERM: return "Accès refusé";
    case EISDIR: return "Le chemin d'accès est un dossier";
    case ENOSPC: return "L'espace disque est insuffisant";
    case EROFS: return "Le support est protégé en écriture";
    case ENOTDIR: return "Le chemin d'accès spécifié est introuvable";
    default: return std::strerror(errnum);
    }
}

} // namespace plat
