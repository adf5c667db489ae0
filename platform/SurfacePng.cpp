#include "platform/SurfacePng.h"

#include <QImage>

bool SaveSurfacePng(const Surface &surface, const std::string &path)
{
    if (surface.Format() != kRgb565 || surface.Width() == 0 || surface.Height() == 0)
        return false;
    QImage image(surface.Row(0), surface.Width(), surface.Height(), surface.Pitch(), QImage::Format_RGB16);
    return image.save(QString::fromStdString(path), "PNG");
}
