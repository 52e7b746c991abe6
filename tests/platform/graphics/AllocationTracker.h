#pragma once
// Records the largest single allocation made while armed: shows that a small hostile file does not make a
// reader allocate what its header claims.

#include <cstddef>

namespace tracking {

class LargestAllocation {
public:
    LargestAllocation();   // arms the tracker
    ~LargestAllocation();  // disarms it
    size_t Bytes() const;
};

} // namespace tracking
