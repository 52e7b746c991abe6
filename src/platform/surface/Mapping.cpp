#include "Mapping.h"

#include "platform/core/Rounding.h"

#include <algorithm>
#include <cmath>

namespace plat {

int PinToDevice(long double v)
{
    // Coordinates far outside any device are pinned rather than overflowing the integer conversion.
    constexpr long double limit = MaxDeviceCoordinate;
    if (std::isnan(v))
        return 0;
    return RoundToInt(std::clamp(v, -limit, limit));
}

void Mapping::SetMode(MapMode mode)
{
    m_mode = mode;
    if (mode == MapMode::Text) {
        m_windowExt = {1, 1};
        m_viewportExt = {1, 1};
    }
}

void Mapping::SetWindowExt(int cx, int cy)
{
    if (m_mode == MapMode::Text || cx == 0 || cy == 0)
        return;
    m_windowExt = {cx, cy};
}

void Mapping::SetViewportExt(int cx, int cy)
{
    if (m_mode == MapMode::Text || cx == 0 || cy == 0)
        return;
    m_viewportExt = {cx, cy};
}

void Mapping::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    if (m_mode == MapMode::Text || xDenom == 0 || yDenom == 0)
        return;
    // 64-bit products: extents of a few thousand times a numerator must not overflow.
    int64_t cx = static_cast<int64_t>(m_viewportExt.Width) * xNum / xDenom;
    int64_t cy = static_cast<int64_t>(m_viewportExt.Height) * yNum / yDenom;
    if (cx == 0 || cy == 0 || cx != static_cast<int>(cx) || cy != static_cast<int>(cy))
        return;
    m_viewportExt = {static_cast<int>(cx), static_cast<int>(cy)};
}

long double Mapping::ScaleX() const
{
    return static_cast<long double>(m_viewportExt.Width) / m_windowExt.Width;
}

long double Mapping::ScaleY() const
{
    return static_cast<long double>(m_viewportExt.Height) / m_windowExt.Height;
}

long double Mapping::OffsetX() const { return m_viewportOrg.X - m_windowOrg.X * ScaleX(); }
long double Mapping::OffsetY() const { return m_viewportOrg.Y - m_windowOrg.Y * ScaleY(); }

Point Mapping::ToDevice(Point logical) const
{
    // Computed as in the formula, subtraction first, so that large origins keep their precision.
    long double x = static_cast<long double>(logical.X) - m_windowOrg.X;
    long double y = static_cast<long double>(logical.Y) - m_windowOrg.Y;
    return {PinToDevice(x * m_viewportExt.Width / m_windowExt.Width + m_viewportOrg.X),
            PinToDevice(y * m_viewportExt.Height / m_windowExt.Height + m_viewportOrg.Y)};
}

Rect Mapping::ToDevice(const Rect& logical) const
{
    Point a = ToDevice(Point{logical.Left, logical.Top});
    Point b = ToDevice(Point{logical.Right, logical.Bottom});
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

Point Mapping::ToLogical(Point device) const
{
    long double x = static_cast<long double>(device.X) - m_viewportOrg.X;
    long double y = static_cast<long double>(device.Y) - m_viewportOrg.Y;
    return {PinToDevice(x * m_windowExt.Width / m_viewportExt.Width + m_windowOrg.X),
            PinToDevice(y * m_windowExt.Height / m_viewportExt.Height + m_windowOrg.Y)};
}

} // namespace plat
