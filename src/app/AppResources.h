#pragma once
// The pictures and fonts bundled with the program, so that it does not depend on the desktop's theme.

#include <QFont>
#include <QIcon>
#include <QString>

// Registers the bundled resources; call once before the first window is built.
void InitVantricResources();

// A 24 x 24 icon by its name under resources/icons ("document-new", "scanner", ...).
QIcon VantricIcon(const QString& name);

// The program's dialog font: a sans-serif face at the given pixel height.
QFont VantricFont(int pixelSize);

// Path of the About box's animation in the resources.
inline const QString kAboutAnimation = QStringLiteral(":/vantric/about.gif");
