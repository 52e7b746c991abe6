#pragma once
// A rectangle of two corner points. It does not notify.

#include "GmValuePoint.h"

class TGmValueRect : public plat::Persistent {
public:
    PLAT_CLASS_NAME(TGmValueRect)

    TGmValueRect();
    ~TGmValueRect() override;
    TGmValueRect(const TGmValueRect&) = delete;
    TGmValueRect& operator=(const TGmValueRect&) = delete;

    TGmValuePoint& TopLeft() { return *m_topLeft; }
    TGmValuePoint& BottomRight() { return *m_bottomRight; }
    const TGmValuePoint& TopLeft() const { return *m_topLeft; }
    const TGmValuePoint& BottomRight() const { return *m_bottomRight; }

    // 1 left, 2 top, 3 right, 4 bottom; null for any other index.
    TGmValue* ValueByIndex(int index);

private:
    std::unique_ptr<TGmValuePoint> m_topLeft;
    std::unique_ptr<TGmValuePoint> m_bottomRight;
};
