#pragma once
// A record as text: lines of the form name=value, looked up without regard to letter case. A name set for
// the first time appends its line, so a record keeps the order in which its keys were first written. Lines
// without "=" are kept and ignored by lookups.
//
// Values are written in one form whatever the user's locale: integers in decimal, extended values with
// three decimals after a ".", rectangles as the comma text of four thousandths of an inch.

#include "model/units/GmTypes.h"

#include "platform/core/Font.h"
#include "platform/core/StringList.h"

#include <cstdint>
#include <string>

namespace plat {
class Stream;
}

class TGmValueList : public plat::StringList {
public:
    PLAT_CLASS_NAME(TGmValueList)

    // A name with no line, or with an empty value, gives Default. A value that is not a decimal integer
    // raises "'%s' n'est pas une valeur entière correcte"; one that is not a finite number raises
    // "'%s' n'est pas une valeur en virgule flottante correcte".
    int32_t GetInteger(const std::string& name, int32_t defaultValue) const;
    std::string GetString(const std::string& name, const std::string& defaultValue) const;
    Extended GetExtended(const std::string& name, Extended defaultValue) const;

    void SetInteger(const std::string& name, int32_t value);
    // The empty string removes the line, so it reads back as the default.
    void SetString(const std::string& name, const std::string& value);
    // Format "0.000" with "." as the decimal point, halves to even. An infinite or undefined value cannot
    // be read back and raises the floating-point conversion error.
    void SetExtended(const std::string& name, Extended value);

    // One value-list block (a length, then the text with each line ended by CR LF).
    void SaveToStream(plat::Stream& stream) const;
    // Replaces the whole content with one block read from the stream. On a read error the list is left
    // as it was.
    void LoadFromStream(plat::Stream& stream);
};

// A rectangle in inches as "left,top,right,bottom" in thousandths of an inch, rounded to the nearest
// (halves to even); 1 in, 0.5 in, 3.25 in, 2 in is "1000,500,3250,2000". A coordinate that does not fit a
// 32-bit integer after scaling raises the integer conversion error instead of writing what cannot be read.
void SetRectValue(TGmValueList& list, const std::string& name, const TGmRect& rect);
// A missing name gives Default. Fewer than four items raise "Indice de liste hors limites (%d)" with the
// first missing index; an item that is not an integer raises the integer conversion error.
void GetRectValue(const TGmValueList& list, const std::string& name, const TGmRect& defaultValue, TGmRect& rect);

// The font style as its letters, "b,i,u" (see FontStyleToText).
void SetFontStyleValue(TGmValueList& list, const std::string& name, plat::FontStyles style);
plat::FontStyles GetFontStyleValue(const TGmValueList& list, const std::string& name, plat::FontStyles defaultValue);
