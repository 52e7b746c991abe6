#pragma once
// A page's rich-text record: where rich text would be laid out, and the resource table its memos would
// come from. No page of this program carries rich text, so nothing fills or draws it.

#include "model/units/GmValueRect.h"

#include "platform/core/Object.h"

class TGmResourceTable;

class TGmPageRtfInfo : public plat::Object {
public:
    PLAT_CLASS_NAME(TGmPageRtfInfo)

    explicit TGmPageRtfInfo(TGmResourceTable& resourceTable) : m_resourceTable(resourceTable) {}
    TGmPageRtfInfo(const TGmPageRtfInfo&) = delete;
    TGmPageRtfInfo& operator=(const TGmPageRtfInfo&) = delete;

    TGmValueRect& Rect() { return m_rect; }
    const TGmValueRect& Rect() const { return m_rect; }
    TGmResourceTable& ResourceTable() const { return m_resourceTable; }

private:
    TGmValueRect m_rect;
    TGmResourceTable& m_resourceTable;
};
