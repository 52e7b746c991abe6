#include "PreviewPlaceholder.h"

#include <algorithm>

TPreviewPlaceholder::TPreviewPlaceholder(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("GmPreview1"));
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0)); // silver
    setPalette(pal);
    setMinimumSize(1, 1);
}

void TPreviewPlaceholder::SetZoom(int value)
{
    if (value > m_maxZoom)
        value = m_maxZoom;
    if (value < m_minZoom)
        value = m_minZoom;
    m_zoom = value;
}

void TPreviewPlaceholder::ZoomIn()
{
    const auto next = std::upper_bound(ZoomSteps.begin(), ZoomSteps.end(), m_zoom);
    if (next != ZoomSteps.end())
        SetZoom(*next);
}

void TPreviewPlaceholder::ZoomOut()
{
    const auto next = std::lower_bound(ZoomSteps.begin(), ZoomSteps.end(), m_zoom);
    if (next != ZoomSteps.begin())
        SetZoom(*std::prev(next));
}
