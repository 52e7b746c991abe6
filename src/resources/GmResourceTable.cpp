#include "GmResourceTable.h"

TGmResourceTable::TGmResourceTable()
{
    m_brushes = std::make_unique<TGmBrushList>();
    m_fonts = std::make_unique<TGmFontList>();
    m_pens = std::make_unique<TGmPenList>();
    m_pictures = std::make_unique<TGmGraphicList>();
    m_memos = std::make_unique<TGmCustomMemoList>();
}

TGmResourceTable::~TGmResourceTable()
{
    m_brushes.reset();
    m_fonts.reset();
    m_pens.reset();
    m_pictures.reset();
    m_memos.reset();
}

void TGmResourceTable::Clear()
{
    m_brushes->Clear();
    m_fonts->Clear();
    m_pens->Clear();
    m_pictures->Clear();
    m_memos->Clear();
}
