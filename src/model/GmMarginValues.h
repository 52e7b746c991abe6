#pragma once
// The four margins as single-precision numbers in a chosen unit, as the form designer edits them. They
// hold nothing of their own: reading and writing go to the margins' lengths.

#include "model/units/GmTypes.h"

#include "platform/core/Object.h"

class TGmMargins;

class TGmMarginValues : public plat::Persistent {
public:
    PLAT_CLASS_NAME(TGmMarginValues)

    explicit TGmMarginValues(TGmMargins& margins) : m_margins(margins) {}
    TGmMarginValues(const TGmMarginValues&) = delete;
    TGmMarginValues& operator=(const TGmMarginValues&) = delete;

    // Index 0 left, 1 top, 2 right, 3 bottom; any other index raises "Indice de liste hors limites (%d)".
    // Reading gives the length in ValueMeasurement rounded to single precision; writing sets it in that
    // unit and notifies the margins when the length changes.
    float GetValue(int index) const;
    void SetValue(int index, float value);

    float GetLeft() const { return GetValue(0); }
    float GetTop() const { return GetValue(1); }
    float GetRight() const { return GetValue(2); }
    float GetBottom() const { return GetValue(3); }
    void SetLeft(float value) { SetValue(0, value); }
    void SetTop(float value) { SetValue(1, value); }
    void SetRight(float value) { SetValue(2, value); }
    void SetBottom(float value) { SetValue(3, value); }

    // The unit of later reads and writes; setting it converts nothing and notifies nothing.
    TGmMeasurement GetValueMeasurement() const { return m_valueMeasurement; }
    void SetValueMeasurement(TGmMeasurement value) { m_valueMeasurement = value; }

private:
    TGmMargins& m_margins;
    TGmMeasurement m_valueMeasurement = gmInches;
};
