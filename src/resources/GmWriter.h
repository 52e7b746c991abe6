#pragma once
// Writes the engine's stream form at a stream's current position: 4-byte little-endian integers and
// blocks (a 4-byte length, then that many bytes). The stream is not owned.

#include <cstdint>
#include <string_view>

namespace plat {
class Stream;
}
class TGmValueList;

class TGmWriter {
public:
    explicit TGmWriter(plat::Stream& stream) : m_stream(stream) {}

    void WriteInteger(int32_t value);
    // Source's size as an integer, then all of Source from its start. A source of 2 GB or more cannot be
    // described by the length and raises the stream write error.
    void WriteStream(plat::Stream& source);
    // The bytes as one block.
    void WriteBlock(std::string_view bytes);
    // The list's text (each line followed by CR LF) as one block.
    void WriteValueList(const TGmValueList& list);

    plat::Stream& Stream() { return m_stream; }

private:
    plat::Stream& m_stream;
};
