#include "assets/PictureBook.h"

#include <QPainter>

// One PNG of every picture at its own size, each labelled with its path and size, on a grey
// checkerboard so that keyed (magenta) areas stand out from drawn ones.
bool WriteContactSheet(const PictureBook &book, const std::filesystem::path &file)
{
    constexpr int kWidth = 1600;
    constexpr int kGap = 12;
    constexpr int kLabel = 16;
    struct Place {
        int x, y;
    };
    std::vector<Place> places;
    int x = kGap, y = kGap, rowHeight = 0;
    for (const PictureBook::Entry &entry : book.Entries()) {
        const int w = std::max(entry.image.width(), 150);
        if (x + w + kGap > kWidth && x > kGap) {
            x = kGap;
            y += rowHeight + kLabel + kGap;
            rowHeight = 0;
        }
        places.push_back({x, y});
        x += w + kGap;
        rowHeight = std::max(rowHeight, entry.image.height());
    }
    QImage sheet(kWidth, y + rowHeight + kLabel + kGap, QImage::Format_RGB32);
    QPainter p(&sheet);
    for (int ty = 0; ty < sheet.height(); ty += 8)
        for (int tx = 0; tx < kWidth; tx += 8)
            p.fillRect(tx, ty, 8, 8, ((tx + ty) / 8) % 2 ? QColor(200, 200, 200) : QColor(170, 170, 170));
    QFont font = HanFont(11, false);
    p.setFont(font);
    p.setPen(Qt::black);
    for (size_t i = 0; i < places.size(); ++i) {
        const PictureBook::Entry &entry = book.Entries()[i];
        p.drawImage(places[i].x, places[i].y, entry.image);
        QString label = QString::fromStdString(entry.path) +
                        QStringLiteral(" %1x%2").arg(entry.image.width()).arg(entry.image.height());
        p.drawText(places[i].x, places[i].y + entry.image.height() + 12, label);
    }
    p.end();
    return sheet.save(QString::fromStdString(file.string()), "PNG");
}
