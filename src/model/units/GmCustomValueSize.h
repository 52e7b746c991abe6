#pragma once
// Two lengths that notify as a pair. TGmValueSize names them Height and Width, TGmValuePoint X and Y.

#include "GmValue.h"

#include <memory>

class TGmCustomValueSize : public plat::Persistent {
public:
    TGmCustomValueSize();
    ~TGmCustomValueSize() override;
    TGmCustomValueSize(const TGmCustomValueSize&) = delete;
    TGmCustomValueSize& operator=(const TGmCustomValueSize&) = delete;

    // Only a TGmValueSize is accepted (also by a point): the second length first, then the first, each
    // through SetAsInches, so OnChange fires once per length that really changed.
    void Assign(const plat::Persistent* source) override;
    void Changed();

    plat::NotifyEvent OnChange;

protected:
    TGmValue& First() { return *m_first; }
    TGmValue& Second() { return *m_second; }
    const TGmValue& First() const { return *m_first; }
    const TGmValue& Second() const { return *m_second; }

private:
    std::unique_ptr<TGmValue> m_first;
    std::unique_ptr<TGmValue> m_second;
};
