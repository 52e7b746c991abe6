#pragma once
// Readable failure messages for Qt values, and a quieter offscreen platform for the test mains.

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}

inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << '(' << r.x() << ", " << r.y() << ") " << r.width() << " x " << r.height();
}

inline void PrintTo(const QPoint& p, std::ostream* os)
{
    *os << '(' << p.x() << ", " << p.y() << ')';
}

inline void PrintTo(const QSize& size, std::ostream* os)
{
    *os << size.width() << " x " << size.height();
}

// The offscreen platform warns that it cannot pass size hints to a window manager; that is expected.
inline void QuietOffscreenWarnings()
{
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message.contains(QLatin1String("does not support propagateSizeHints")))
                return;
            previous(type, context, message);
        });
}

// Named rows print by their name.
#define VANTRIC_PRINTS_NAME(Case) \
    inline void PrintTo(const Case& row, std::ostream* os) { *os << row.name; }
