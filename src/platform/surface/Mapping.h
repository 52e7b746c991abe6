#pragma once
// The window/viewport mapping of a surface, kept as the device keeps it, so that every surface applies the
// same rules:
//   - MapMode::Text: one logical unit is one device pixel; the origins still apply, the extents are (1, 1)
//     and setting them is ignored.
//   - MapMode::Anisotropic: device = (logical - WindowOrg) * ViewportExt / WindowExt + ViewportOrg.
// An extent of zero is refused (the mapping would divide by zero); the previous extent stays.

#include "platform/core/Geometry.h"
#include "platform/surface/Surface.h"

namespace plat {

// Device coordinates are pinned to this range, so that sizes and sums of coordinates stay within an int.
constexpr int MaxDeviceCoordinate = 1 << 29;
// Rounds to the nearest integer (ties to even), pinned to +-MaxDeviceCoordinate.
int PinToDevice(long double v);

class Mapping {
public:
    MapMode GetMode() const { return m_mode; }
    Size GetWindowExt() const { return m_windowExt; }
    Size GetViewportExt() const { return m_viewportExt; }
    Point GetWindowOrg() const { return m_windowOrg; }
    Point GetViewportOrg() const { return m_viewportOrg; }

    // Switching to Text resets both extents to (1, 1); switching to Anisotropic keeps them.
    void SetMode(MapMode mode);
    void SetWindowExt(int cx, int cy);
    void SetViewportExt(int cx, int cy);
    void SetWindowOrg(int x, int y) { m_windowOrg = {x, y}; }
    void SetViewportOrg(int x, int y) { m_viewportOrg = {x, y}; }
    // Viewport extent times num/denom on each axis, integer division toward zero. Ignored in Text mode and
    // when a denominator is zero or a result would be zero.
    void ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);

    // Scale factors and offsets of device = logical * Scale + Offset.
    long double ScaleX() const;
    long double ScaleY() const;
    long double OffsetX() const;
    long double OffsetY() const;

    // Logical to device, rounded to the nearest pixel (ties to even).
    Point ToDevice(Point logical) const;
    // Both corners mapped; the result is normalised so that Left <= Right and Top <= Bottom.
    Rect ToDevice(const Rect& logical) const;
    // Exact (unrounded) device coordinates.
    long double DeviceX(long double x) const { return x * ScaleX() + OffsetX(); }
    long double DeviceY(long double y) const { return y * ScaleY() + OffsetY(); }
    // Device back to logical, rounded.
    Point ToLogical(Point device) const;

    friend bool operator==(const Mapping&, const Mapping&) = default;

private:
    MapMode m_mode = MapMode::Text;
    Size m_windowExt{1, 1};
    Size m_viewportExt{1, 1};
    Point m_windowOrg{0, 0};
    Point m_viewportOrg{0, 0};
};

} // namespace plat
