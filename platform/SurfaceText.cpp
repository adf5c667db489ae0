#include "platform/SurfaceText.h"

#include "platform/Gbk.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <optional>
#include <vector>

namespace {

const char *const kChineseFallback = "WenQuanYi Micro Hei";

QFont MakeFont(TextFont which)
{
    QString family = which == TextFont::IconTitle ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()
                                                  : QStringLiteral("Arial");
    QFont font;
    font.setFamilies({family, QString::fromLatin1(kChineseFallback)});
    font.setPixelSize(which == TextFont::Arial14Bold ? 14 : which == TextFont::Arial10 ? 10 : 12);
    font.setWeight(which == TextFont::Arial14Bold ? QFont::DemiBold : QFont::Normal);
    // Non-antialiased text on 16-bit images comes out squashed; keep it smooth.
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// Lines are as tall as the Chinese fallback needs, so a line measures the same whatever it holds.
struct LineMetrics {
    int ascent;
    int height;
};

LineMetrics MeasureLines(const QFont &font)
{
    QFontMetrics latin(font);
    QFont chinese = font;
    chinese.setFamilies({QString::fromLatin1(kChineseFallback)});
    QFontMetrics cjk(chinese);
    int ascent = std::max(latin.ascent(), cjk.ascent());
    int descent = std::max(latin.descent(), cjk.descent());
    return {ascent, ascent + descent};
}

// The same for every text in a font, so worked out once.
LineMetrics Metrics(TextFont which)
{
    thread_local std::optional<LineMetrics> known[4];
    std::optional<LineMetrics> &line = known[static_cast<int>(which)];
    if (!line)
        line = MeasureLines(MakeFont(which));
    return *line;
}

bool IsWide(QChar c)
{
    return c.unicode() >= 0x2E80;
}

// Words keep their trailing blanks; each Chinese character is a word of its own.
std::vector<QString> Words(const QString &text)
{
    std::vector<QString> words;
    QString word;
    for (QChar c : text) {
        bool startsNew = !word.isEmpty() && (IsWide(c) || (!c.isSpace() && (word.back().isSpace() || IsWide(word.back()))));
        if (startsNew) {
            words.push_back(word);
            word.clear();
        }
        word += c;
    }
    if (!word.isEmpty())
        words.push_back(word);
    return words;
}

int LineWidth(const QFontMetrics &metrics, const QString &line)
{
    QString shown = line;
    while (!shown.isEmpty() && shown.back().isSpace())
        shown.chop(1);
    return metrics.horizontalAdvance(shown);
}

// A word wider than the line is cut between characters.
void AddWord(std::vector<QString> &lines, QString &line, QString word, const QFontMetrics &metrics, int width)
{
    if (line.isEmpty() || LineWidth(metrics, line + word) <= width) {
        line += word;
    } else {
        lines.push_back(line);
        line = word;
    }
    while (line.size() > 1 && LineWidth(metrics, line) > width) {
        int fit = 1;
        while (fit < line.size() && LineWidth(metrics, line.left(fit + 1)) <= width)
            ++fit;
        lines.push_back(line.left(fit));
        line = line.mid(fit);
    }
}

// A line of a text laid out, with its width once it has been measured.
struct LaidLine {
    QString text;
    int width = -1;
    int Width(const QFontMetrics &metrics)
    {
        if (width < 0)
            width = LineWidth(metrics, text);
        return width;
    }
};

std::vector<LaidLine> Lines(const QString &text, int width, bool wordBreak, const QFontMetrics &metrics)
{
    std::vector<LaidLine> laid;
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    for (const QString &paragraph : plain.split(QLatin1Char('\n'))) {
        if (!wordBreak) {
            laid.push_back({paragraph});
            continue;
        }
        // A paragraph that fits, as most do, breaks nowhere: one measure instead of one per word.
        if (const int whole = LineWidth(metrics, paragraph); whole <= width) {
            laid.push_back({paragraph, whole});
            continue;
        }
        std::vector<QString> lines;
        QString line;
        for (const QString &word : Words(paragraph))
            AddWord(lines, line, word, metrics, width);
        lines.push_back(line);
        for (QString &one : lines)
            laid.push_back({std::move(one)});
    }
    return laid;
}

QString ToText(std::string_view gbk)
{
    return QString::fromStdString(GbkToUtf8(gbk));
}

void PaintText(Surface &surface, const QString &text, Rect box, unsigned flags, const TextStyle &style, bool clip)
{
    if (surface.Format() != kRgb565)
        return;
    QFont font = MakeFont(style.font);
    font.setUnderline(style.underline);
    QFontMetrics metrics(font);
    LineMetrics line = Metrics(style.font);
    std::vector<LaidLine> lines = Lines(text, box.Width(), flags & TextWordBreak, metrics);
    int y = box.top;
    if (flags & TextVCentre)
        y += (box.Height() - line.height * static_cast<int>(lines.size())) / 2;

    uint8_t *pixels = surface.Lock();
    if (!pixels)
        return;
    {
        QImage image(pixels, surface.Width(), surface.Height(), surface.Pitch(), QImage::Format_RGB16);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(style.color & 0xFFFFFF));
        if (clip)
            painter.setClipRect(QRect(box.left, box.top, box.Width(), box.Height()));
        for (LaidLine &laid : lines) {
            const QString &shown = laid.text;
            int width = laid.Width(metrics);
            int x = box.left;
            if (flags & TextCentre)
                x += (box.Width() - width) / 2;
            else if (flags & TextRight)
                x = box.right - width;
            if (style.opaque)
                painter.fillRect(x, y, width, line.height, QColor::fromRgb(style.background & 0xFFFFFF));
            painter.drawText(x, y + line.ascent, shown);
            y += line.height;
        }
    }
    surface.Unlock();
}

} // namespace

void DrawSurfaceText(Surface &surface, std::string_view gbk, Rect box, unsigned flags, const TextStyle &style)
{
    PaintText(surface, ToText(gbk), box, flags, style, true);
}

Rect MeasureSurfaceText(std::string_view gbk, Rect box, unsigned flags, TextFont font)
{
    QFont qfont = MakeFont(font);
    QFontMetrics metrics(qfont);
    std::vector<LaidLine> lines = Lines(ToText(gbk), box.Width(), flags & TextWordBreak, metrics);
    int width = 0;
    for (LaidLine &line : lines)
        width = std::max(width, line.Width(metrics));
    int height = Metrics(font).height * static_cast<int>(lines.size());
    return {box.left, box.top, box.left + width, box.top + height};
}

void SurfaceTextOut(Surface &surface, int x, int y, std::string_view gbk, const TextStyle &style)
{
    QString text = ToText(gbk);
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    PaintText(surface, text, {x, y, surface.Width(), surface.Height()}, TextLeft, style, false);
}
