#include "Geometry.h"

namespace plat {

Color ColorToRGB(Color c)
{
    if (c == clWindowText)
        return clBlack;
    if (c < 0) // other system colours: the desktop default of black text on white
        return clBlack;
    return c & 0xFFFFFF;
}

} // namespace plat
