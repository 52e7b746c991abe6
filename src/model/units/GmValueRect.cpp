#include "GmValueRect.h"

TGmValueRect::TGmValueRect()
    : m_topLeft(std::make_unique<TGmValuePoint>()), m_bottomRight(std::make_unique<TGmValuePoint>()) {}

TGmValueRect::~TGmValueRect() = default;

TGmValue* TGmValueRect::ValueByIndex(int index)
{
    switch (index) {
    case 1: return &m_topLeft->X();
    case 2: return &m_topLeft->Y();
    case 3: return &m_bottomRight->X();
    case 4: return &m_bottomRight->Y();
    default: return nullptr;
    }
}
