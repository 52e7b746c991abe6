#include "GmMarginValues.h"

#include "GmMargins.h"

#include "platform/core/Exceptions.h"

namespace {

TGmValue& Side(TGmMargins& margins, int index)
{
    switch (index) {
    case 0: return margins.Left();
    case 1: return margins.Top();
    case 2: return margins.Right();
    case 3: return margins.Bottom();
    default: throw plat::EListError::IndexOutOfBounds(index);
    }
}

} // namespace

float TGmMarginValues::GetValue(int index) const
{
    return static_cast<float>(Side(m_margins, index).GetValue(m_valueMeasurement));
}

void TGmMarginValues::SetValue(int index, float value)
{
    Side(m_margins, index).SetValue(m_valueMeasurement, static_cast<Extended>(value));
}
