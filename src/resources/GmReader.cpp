#include "GmReader.h"

#include "GmValueList.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"

int32_t TGmReader::ReadInteger() { return m_stream.ReadInt32LE(); }

int32_t TGmReader::ReadLength()
{
    int32_t n = ReadInteger();
    // A damaged or hostile length must not make us allocate or copy what is not there.
    if (n < 0 || n > m_stream.Remaining())
        throw plat::EReadError();
    return n;
}

void TGmReader::ReadStream(plat::Stream& target)
{
    int32_t n = ReadLength();
    if (n != 0)
        target.CopyFrom(m_stream, n);
}

std::string TGmReader::ReadBlock()
{
    int32_t n = ReadLength();
    std::string bytes(static_cast<size_t>(n), '\0');
    m_stream.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

void TGmReader::ReadValueList(TGmValueList& list) { list.SetText(ReadBlock()); }
