#pragma once
// A document's shared drawing resources: brushes, memos, fonts, pens and pictures. Page objects refer to
// the entries; the page list empties the table when the document is cleared, after which no reference to
// an entry may be used.

#include "GmBrushList.h"
#include "GmCustomMemoList.h"
#include "GmFontList.h"
#include "GmGraphicList.h"
#include "GmPenList.h"

#include "platform/core/Object.h"

#include <memory>

class TGmResourceTable : public plat::Persistent {
public:
    PLAT_CLASS_NAME(TGmResourceTable)

    TGmResourceTable();
    ~TGmResourceTable() override;
    TGmResourceTable(const TGmResourceTable&) = delete;
    TGmResourceTable& operator=(const TGmResourceTable&) = delete;

    // Empties the lists (brushes, fonts, pens, pictures, memos) and frees every entry.
    void Clear();

    TGmBrushList& Brushes() { return *m_brushes; }
    TGmCustomMemoList& Memos() { return *m_memos; }
    TGmFontList& Fonts() { return *m_fonts; }
    TGmPenList& Pens() { return *m_pens; }
    TGmGraphicList& Pictures() { return *m_pictures; }
    const TGmBrushList& Brushes() const { return *m_brushes; }
    const TGmCustomMemoList& Memos() const { return *m_memos; }
    const TGmFontList& Fonts() const { return *m_fonts; }
    const TGmPenList& Pens() const { return *m_pens; }
    const TGmGraphicList& Pictures() const { return *m_pictures; }

private:
    std::unique_ptr<TGmBrushList> m_brushes;
    std::unique_ptr<TGmCustomMemoList> m_memos;
    std::unique_ptr<TGmFontList> m_fonts;
    std::unique_ptr<TGmPenList> m_pens;
    std::unique_ptr<TGmGraphicList> m_pictures;
};
