#include "platform/FrameWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <cstring>

namespace {

constexpr int kFrameWidth = 800;
constexpr int kFrameHeight = 600;

QImage::Format ImageFormat(const PixelFormat &format)
{
    if (format == kRgb565)
        return QImage::Format_RGB16;
    if (format == kRgb555)
        return QImage::Format_RGB555;
    if (format == kRgb888)
        return QImage::Format_BGR888;
    if (format == kXrgb8888)
        return QImage::Format_RGB32;
    return QImage::Format_Invalid;
}

QScreen *Screen()
{
    return QGuiApplication::primaryScreen();
}

} // namespace

class FrameWindow::View : public QWidget {
public:
    View() : frame_(kFrameWidth, kFrameHeight, QImage::Format_RGB16)
    {
        frame_.fill(Qt::black);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(kFrameWidth, kFrameHeight);
    }

    void Take(const Surface &frame, QImage::Format format)
    {
        // The frame is copied so that the game may draw the next one while this one is shown.
        QImage image(frame.Width(), frame.Height(), format);
        int rowBytes = frame.Width() * frame.Format().BytesPerPixel();
        for (int y = 0; y < frame.Height(); ++y)
            std::memcpy(image.scanLine(y), frame.Row(y), rowBytes);
        frame_ = std::move(image);
        repaint();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (!isFullScreen()) {
            painter.drawImage(0, 0, frame_);
            return;
        }
        painter.fillRect(rect(), Qt::black);
        QSize scaled = frame_.size().scaled(size(), Qt::KeepAspectRatio);
        QRect target(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, frame_);
    }

private:
    QImage frame_;
};

FrameWindow::FrameWindow() : view_(std::make_unique<View>()) {}

FrameWindow::~FrameWindow() = default;

PixelFormat FrameWindow::ScreenFormat() const
{
    QScreen *screen = Screen();
    if (screen && screen->depth() == 16)
        return kRgb565;
    return kXrgb8888;
}

int FrameWindow::ScreenWidth() const
{
    QScreen *screen = Screen();
    return screen ? screen->geometry().width() : kFrameWidth;
}

int FrameWindow::ScreenHeight() const
{
    QScreen *screen = Screen();
    return screen ? screen->geometry().height() : kFrameHeight;
}

DrawResult FrameWindow::Present(const Surface &frame)
{
    QImage::Format format = ImageFormat(frame.Format());
    if (format == QImage::Format_Invalid || frame.Locked())
        return DrawResult::Failed;
    view_->Take(frame, format);
    return DrawResult::Ok;
}

DrawResult FrameWindow::Restore()
{
    return DrawResult::Ok;
}

void FrameWindow::ShowFullScreen()
{
    view_->setMinimumSize(0, 0);
    view_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    view_->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    view_->showFullScreen();
}

void FrameWindow::ShowWindowed(bool caption)
{
    view_->setWindowFlags(caption ? Qt::Window : Qt::Window | Qt::FramelessWindowHint);
    view_->showNormal();
    view_->setFixedSize(kFrameWidth, kFrameHeight);
    view_->move((ScreenWidth() - kFrameWidth) / 2, (ScreenHeight() - kFrameHeight) / 2);
    view_->show();
}

bool FrameWindow::IsFullScreen() const
{
    return view_->isFullScreen();
}

std::unique_ptr<Surface> FrameWindow::Shown() const
{
    QImage shown = view_->grab().toImage().convertToFormat(QImage::Format_RGB16);
    auto surface = std::make_unique<Surface>(shown.width(), shown.height());
    uint8_t *pixels = surface->Lock();
    for (int y = 0; y < shown.height(); ++y)
        std::memcpy(pixels + static_cast<size_t>(y) * surface->Pitch(), shown.constScanLine(y), shown.width() * 2);
    surface->Unlock();
    return surface;
}

int FrameWindow::Width() const
{
    return view_->width();
}

int FrameWindow::Height() const
{
    return view_->height();
}

bool FrameWindow::HasCaption() const
{
    return !(view_->windowFlags() & Qt::FramelessWindowHint);
}

bool FrameWindow::IsMinimized() const
{
    return view_->isMinimized();
}

void FrameWindow::Alert()
{
    QApplication::alert(view_.get(), 0);
}
