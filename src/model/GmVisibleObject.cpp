#include "GmVisibleObject.h"

#include "platform/surface/Metafile.h"

TGmCorners TGmVisibleObject::GetBounds(const TGmDrawData& data) const
{
    // Draw into a path on a metafile and take the box of the region the path makes.
    plat::Metafile metafile;
    plat::MetafileSurface surface(metafile);
    plat::Rect box;
    if (surface.BeginPath()) {
        Draw(surface, data);
        surface.EndPath();
        box = surface.PathBounds().value_or(plat::Rect{});
    }
    return CornersOf(box);
}

TGmCorners CornersOf(const plat::Rect& r)
{
    return {plat::Point{r.Left, r.Top}, plat::Point{r.Right, r.Top}, plat::Point{r.Left, r.Bottom},
            plat::Point{r.Right, r.Bottom}};
}
