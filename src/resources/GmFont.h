#pragma once
// A shared font of the resource table.

#include "model/units/GmTypes.h"

#include "platform/core/Font.h"
#include "platform/core/Hook.h"
#include "platform/core/Object.h"

#include <string>

class TGmValueList;

class TGmFont : public plat::Persistent {
public:
    PLAT_CLASS_NAME(TGmFont)

    int32_t Size = 12; // points
    plat::FontStyles Style = 0;
    Extended Angle = 0;
    plat::Color Color = plat::clBlack;
    uint8_t Charset = 1;
    std::string Name;

    // Accepts a TGmFont (all six) or a platform font (size, colour, charset, name and style; Angle
    // becomes 0), then raises OnChange.
    void Assign(const plat::Persistent* source) override;

    // The font record: "CL", "ST", "FA", "SZ", "CS", "FN". An empty name writes no "FN" line. Missing
    // keys read as white, no style, angle 0, size 10, charset 1 and "Arial".
    void SaveToValueList(TGmValueList& list) const;
    void LoadFromValueList(const TGmValueList& list);

    plat::NotifyEvent OnChange;
};

// Same name, size, charset, angle, colour and style.
bool FontsEqual(const TGmFont& a, const TGmFont& b);
