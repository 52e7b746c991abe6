#pragma once
// Stands in the preview panel until the print-preview control is built: a silver area that keeps the
// zoom the way the preview does (steps, limits), so the window's zoom commands already work and only
// display what the preview answers. The real control takes its place with the same operations.

#include <QFrame>

#include <array>

class TPreviewPlaceholder : public QFrame {
    Q_OBJECT
public:
    // The preview's zoom steps in percent, ascending; the last three lie above the usual MaxZoom.
    static constexpr std::array<int, 15> ZoomSteps{7, 10, 14, 20, 30, 45, 60, 80, 120, 170, 250, 350, 500, 650, 800};

    explicit TPreviewPlaceholder(QWidget* parent = nullptr);

    int Zoom() const { return m_zoom; }
    // Clamped to MaxZoom, then to MinZoom.
    void SetZoom(int value);
    int MinZoom() const { return m_minZoom; }
    int MaxZoom() const { return m_maxZoom; }

    // The next step above (below) the current zoom; nothing when there is none.
    void ZoomIn();
    void ZoomOut();

private:
    int m_zoom = 20;
    int m_minZoom = 5;
    int m_maxZoom = 400;
};
