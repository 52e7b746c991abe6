#pragma once
// Comparing two pictures by their saved bytes without saving both into memory: the second picture is saved
// into a stream that checks each write against the first picture's bytes. It keeps only the pages (4 KB)
// whose content differs from the reference, so a picture writer that seeks back to patch what it wrote is
// still judged by its final bytes, and two equal pictures cost the two savings and one pass of memcmp.

#include "platform/core/Stream.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace gm_detail {

class ComparingStream : public plat::Stream {
public:
    explicit ComparingStream(const std::vector<uint8_t>& reference) : m_reference(reference) {}

    // Reads what was written; bytes beyond the reference's end read as zeros (they make the comparison
    // fail anyway, and no picture writer reads back there).
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t GetPosition() const override { return m_position; }
    void SetPosition(int64_t position) override { m_position = position < 0 ? 0 : position; }
    int64_t GetSize() const override { return m_size; }

    // Whether everything written, as it stands now, is the reference byte for byte.
    bool Equal() const { return m_size == static_cast<int64_t>(m_reference.size()) && m_dirty.empty(); }
    // Pages held because they differ from the reference.
    size_t DifferingPages() const { return m_dirty.size(); }

    static constexpr int64_t PageSize = 4096;

private:
    void WriteAt(int64_t position, const uint8_t* data, int64_t count);

    const std::vector<uint8_t>& m_reference;
    int64_t m_position = 0;
    int64_t m_size = 0;
    std::unordered_map<int64_t, std::vector<uint8_t>> m_dirty; // page number -> its content
};

} // namespace gm_detail
