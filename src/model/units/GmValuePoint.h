#pragma once

#include "GmCustomValueSize.h"

// A point: first length X, second length Y.
class TGmValuePoint : public TGmCustomValueSize {
public:
    PLAT_CLASS_NAME(TGmValuePoint)
    TGmValue& X() { return First(); }
    TGmValue& Y() { return Second(); }
    const TGmValue& X() const { return First(); }
    const TGmValue& Y() const { return Second(); }
};
