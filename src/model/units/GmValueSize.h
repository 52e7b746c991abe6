#pragma once

#include "GmCustomValueSize.h"

// A size: first length Height, second length Width.
class TGmValueSize : public TGmCustomValueSize {
public:
    PLAT_CLASS_NAME(TGmValueSize)
    TGmValue& Height() { return First(); }
    TGmValue& Width() { return Second(); }
    const TGmValue& Height() const { return First(); }
    const TGmValue& Width() const { return Second(); }
};
