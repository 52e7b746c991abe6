#include "GmValue.h"

#include "GmFuncs.h"

#include "platform/core/Rounding.h"

TGmValue::TGmValue(plat::NotifyEvent::Handler onChange) : OnChange(std::move(onChange)) {}

TGmValue::TGmValue(TGmMeasurement measurement, Extended value)
    : m_inches(ConvertValue(measurement, gmInches, value)) {}

void TGmValue::SetAsInches(Extended value)
{
    if (value == m_inches)
        return;
    m_inches = value;
    Changed();
}

Extended TGmValue::GetValue(TGmMeasurement measurement) const
{
    return ConvertValue(gmInches, measurement, m_inches);
}

void TGmValue::SetValue(TGmMeasurement measurement, Extended value)
{
    SetAsInches(ConvertValue(measurement, gmInches, value));
}

int TGmValue::AsTwips() const { return plat::RoundToInt(ConvertValue(gmInches, gmTwips, m_inches)); }

void TGmValue::SetAsTwips(int twips) { SetAsInches(ConvertValue(gmTwips, gmInches, twips)); }

int TGmValue::AsPixels(int pixelsPerInch) const
{
    return plat::RoundToInt(static_cast<Extended>(pixelsPerInch) * m_inches);
}

void TGmValue::Assign(const plat::Persistent* source)
{
    if (auto value = dynamic_cast<const TGmValue*>(source)) {
        m_inches = value->m_inches;
        Changed();
        return;
    }
    plat::Persistent::Assign(source);
}

void TGmValue::Changed() { OnChange(this); }
