#pragma once
// A length in inches with change notification.

#include "GmTypes.h"

#include "platform/core/Hook.h"
#include "platform/core/Object.h"

class TGmValue : public plat::Persistent {
public:
    PLAT_CLASS_NAME(TGmValue)

    explicit TGmValue(plat::NotifyEvent::Handler onChange = nullptr);
    // Stores the converted value directly, without a handler and without notifying.
    TGmValue(TGmMeasurement measurement, Extended value);

    Extended AsInches() const { return m_inches; }
    // Stores and notifies only when the value differs exactly from the held one.
    void SetAsInches(Extended value);
    Extended GetValue(TGmMeasurement measurement) const;
    void SetValue(TGmMeasurement measurement, Extended value);
    int AsTwips() const;
    void SetAsTwips(int twips);
    // PixelsPerInch x the length, rounded to nearest (ties to even).
    int AsPixels(int pixelsPerInch) const;

    // Copies another TGmValue and always notifies; any other source raises the assignment error.
    void Assign(const plat::Persistent* source) override;
    void Changed();

    plat::NotifyEvent OnChange;

private:
    Extended m_inches = 0;
};
