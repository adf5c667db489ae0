#include "client/IconStrip.h"

#include "platform/Paths.h"

#include <QBitmap>
#include <QPixmap>

std::vector<QIcon> IconStrip(const char *path)
{
    QPixmap strip(QString::fromStdString(Paths::Resolve(path)));
    if (!strip.isNull())
        strip.setMask(strip.createMaskFromColor(QColor(255, 0, 255)));
    std::vector<QIcon> icons;
    for (int x = 0; x + 16 <= strip.width(); x += 16)
        icons.emplace_back(strip.copy(x, 0, 16, 16));
    return icons;
}

QIcon IconAt(const std::vector<QIcon> &icons, int index)
{
    return index >= 0 && index < static_cast<int>(icons.size()) ? icons[index] : QIcon();
}
