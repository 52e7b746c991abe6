#include "GmCustomValueSize.h"

#include "GmValueSize.h"

TGmCustomValueSize::TGmCustomValueSize()
    : m_first(std::make_unique<TGmValue>([this](plat::Object*) { Changed(); })),
      m_second(std::make_unique<TGmValue>([this](plat::Object*) { Changed(); })) {}

TGmCustomValueSize::~TGmCustomValueSize() = default;

void TGmCustomValueSize::Assign(const plat::Persistent* source)
{
    if (auto size = dynamic_cast<const TGmValueSize*>(source)) {
        const TGmCustomValueSize& pair = *size;
        m_second->SetAsInches(pair.m_second->AsInches());
        m_first->SetAsInches(pair.m_first->AsInches());
        return;
    }
    plat::Persistent::Assign(source);
}

void TGmCustomValueSize::Changed() { OnChange(this); }
