#include "GraphicCompare_p.h"

#include <algorithm>
#include <cstring>

namespace gm_detail {

size_t ComparingStream::Read(void* buffer, size_t count)
{
    if (m_position >= m_size || count == 0)
        return 0;
    const int64_t n = std::min<int64_t>(static_cast<int64_t>(count), m_size - m_position);
    const int64_t referenceSize = static_cast<int64_t>(m_reference.size());
    uint8_t* out = static_cast<uint8_t*>(buffer);
    for (int64_t done = 0; done < n;) {
        const int64_t pos = m_position + done;
        const int64_t page = pos / PageSize;
        const int64_t offset = pos % PageSize;
        const int64_t chunk = std::min(n - done, PageSize - offset);
        if (auto it = m_dirty.find(page); it != m_dirty.end()) {
            std::memcpy(out + done, it->second.data() + offset, static_cast<size_t>(chunk));
        } else {
            const int64_t fromReference = std::clamp<int64_t>(referenceSize - pos, 0, chunk);
            std::memcpy(out + done, m_reference.data() + pos, static_cast<size_t>(fromReference));
            std::memset(out + done + fromReference, 0, static_cast<size_t>(chunk - fromReference));
        }
        done += chunk;
    }
    m_position += n;
    return static_cast<size_t>(n);
}

size_t ComparingStream::Write(const void* buffer, size_t count)
{
    if (count == 0)
        return 0;
    // Writing past the end leaves zeros in between, as a memory stream does.
    static const uint8_t zeros[PageSize] = {};
    while (m_size < m_position) {
        const int64_t gap = std::min<int64_t>(m_position - m_size, PageSize);
        WriteAt(m_size, zeros, gap);
    }
    WriteAt(m_position, static_cast<const uint8_t*>(buffer), static_cast<int64_t>(count));
    m_position += static_cast<int64_t>(count);
    return count;
}

void ComparingStream::WriteAt(int64_t position, const uint8_t* data, int64_t count)
{
    m_size = std::max(m_size, position + count);
    const int64_t referenceSize = static_cast<int64_t>(m_reference.size());
    // Beyond the reference only the size matters: the streams can no longer be equal.
    count = std::min(count, referenceSize - position);
    while (count > 0) {
        const int64_t page = position / PageSize;
        const int64_t offset = position % PageSize;
        const int64_t chunk = std::min(count, PageSize - offset);
        const int64_t pageStart = page * PageSize;
        const int64_t pageLength = std::min(PageSize, referenceSize - pageStart);
        const uint8_t* expected = m_reference.data() + pageStart;
        auto it = m_dirty.find(page);
        if (it == m_dirty.end()) {
            if (std::memcmp(expected + offset, data, static_cast<size_t>(chunk)) != 0) {
                std::vector<uint8_t> content(expected, expected + pageLength);
                std::memcpy(content.data() + offset, data, static_cast<size_t>(chunk));
                m_dirty.emplace(page, std::move(content));
            }
        } else {
            std::memcpy(it->second.data() + offset, data, static_cast<size_t>(chunk));
            if (std::memcmp(it->second.data(), expected, static_cast<size_t>(pageLength)) == 0)
                m_dirty.erase(it);
        }
        position += chunk;
        data += chunk;
        count -= chunk;
    }
}

} // namespace gm_detail
