#include "GmWriter.h"

#include "GmValueList.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"

#include <limits>

void TGmWriter::WriteInteger(int32_t value) { m_stream.WriteInt32LE(value); }

void TGmWriter::WriteStream(plat::Stream& source)
{
    int64_t size = source.GetSize();
    if (size > std::numeric_limits<int32_t>::max())
        throw plat::EWriteError();
    WriteInteger(static_cast<int32_t>(size));
    if (size > 0)
        m_stream.CopyFrom(source, 0);
}

void TGmWriter::WriteBlock(std::string_view bytes)
{
    if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw plat::EWriteError();
    WriteInteger(static_cast<int32_t>(bytes.size()));
    m_stream.WriteBuffer(bytes.data(), bytes.size());
}

void TGmWriter::WriteValueList(const TGmValueList& list) { WriteBlock(list.GetText()); }
