#pragma once
// What a page hands to each of its objects when it draws them: which page, at what resolution.

#include <cstdint>

struct TGmDrawData {
    int32_t PageNumber = 0; // 1-based; 0 when the page is in no page list
    int32_t PpiX = 0;       // surface units per inch, across
    int32_t PpiY = 0;       // surface units per inch, down
    int32_t PageCount = 0;
    bool Draft = false;     // passed along; no object reads it
};
