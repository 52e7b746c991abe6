#pragma once
// Reads the engine's stream form at a stream's current position. A stream that ends inside an integer or
// a block raises "Erreur de lecture du flux"; so does a block whose length is negative or larger than what
// remains of the stream, before anything is allocated for it. The stream is not owned.

#include <cstdint>
#include <string>

namespace plat {
class Stream;
}
class TGmValueList;

class TGmReader {
public:
    explicit TGmReader(plat::Stream& stream) : m_stream(stream) {}

    int32_t ReadInteger();
    // Reads a length N and, when N is not 0, copies N bytes into Target at its position.
    void ReadStream(plat::Stream& target);
    // One block's bytes.
    std::string ReadBlock();
    // One block, read back into List as lines (ended by CR LF, a lone CR or a lone LF). The list is
    // replaced only once the whole block has been read.
    void ReadValueList(TGmValueList& list);

    plat::Stream& Stream() { return m_stream; }

private:
    // Reads a block length and checks it against what remains.
    int32_t ReadLength();

    plat::Stream& m_stream;
};
