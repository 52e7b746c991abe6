#include "AppResources.h"

#include <QPixmap>

void InitVantricResources()
{
    Q_INIT_RESOURCE(vantric);
}

QIcon VantricIcon(const QString& name)
{
    QPixmap pixmap(QStringLiteral(":/vantric/icons/") + name + QStringLiteral(".png"));
    if (pixmap.isNull())
        return {};
    if (pixmap.size() != QSize(24, 24))
        pixmap = pixmap.scaled(24, 24, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return QIcon(pixmap);
}

QFont VantricFont(int pixelSize)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}
