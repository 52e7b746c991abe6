#pragma once
// The index an object's record gives for the resource entry it refers to.

#include <cstdint>

namespace gm_detail {

// The position of entry itself in the list; an object refers to the very entry it was given, which the
// equality search of the list would not find when equal entries are stored twice. An entry of no list
// (which the owner of the table should not let happen) falls back to the first equal one, or -1.
template <class List, class Entry, class Get, class IndexOfEqual>
int32_t IndexOfEntry(const List& list, const Entry* entry, Get get, IndexOfEqual indexOfEqual)
{
    for (int i = 0; i < list.Count(); ++i)
        if (get(list, i) == entry)
            return i;
    return indexOfEqual(list, entry);
}

} // namespace gm_detail
