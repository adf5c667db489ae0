#include "platform/FrameWindow.h"

#include "platform/KeyInput.h"
#include "platform/WindowEvents.h"

#include <QApplication>
#include <QCursor>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QUrl>
#include <QWidget>
#include <cmath>
#include <cstring>
#include <fstream>
#include <vector>

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
        // Moves with no button held must arrive too: hover lifts tiles and lights buttons.
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_InputMethodEnabled);
        setAcceptDrops(true);
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

    // The input method learns when typing starts or stops and where the box stands, after anything
    // that may have moved the game's focus or the frame.
    void UpdateInputMethod()
    {
        Rect box;
        const bool typing = events && events->TextInput(box);
        if (typing == typing_ && (!typing || box == box_))
            return;
        typing_ = typing;
        box_ = box;
        QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImCursorRectangle);
    }

    void Place(QWidget *control, const Rect &frameRect)
    {
        for (auto &placed : placed_)
            if (placed.first == control) {
                placed.second = frameRect;
                Fit(placed);
                return;
            }
        placed_.push_back({control, frameRect});
        Fit(placed_.back());
    }

    QPoint FramePoint(int x, int y) const { return ToWidget(Rect{x, y, x + 1, y + 1}).topLeft(); }

    WindowEvents *events = nullptr;
    QCursor pointer; // the program's own, shown wherever no link is pointed at

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        for (auto &placed : placed_)
            Fit(placed);
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (!isFullScreen()) {
            painter.drawImage(0, 0, frame_);
        } else {
            painter.fillRect(rect(), Qt::black);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(FrameRect(), frame_);
        }
        // The owner's first look at the shown window runs from the event loop, after this paint.
        if (!painted_) {
            painted_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (events)
                        events->FirstShow();
                },
                Qt::QueuedConnection);
        }
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        // The middle button and the wheel are not the game's.
        if (!events || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton))
            return;
        const QPoint p = ToFrame(event->position());
        events->MouseDown(p.x(), p.y(), event->button() == Qt::RightButton);
        UpdateInputMethod();
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (!events)
            return;
        const QPoint p = ToFrame(event->position());
        events->MouseMove(p.x(), p.y());
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (!events || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton))
            return;
        const QPoint p = ToFrame(event->position());
        events->MouseUp(p.x(), p.y());
        UpdateInputMethod();
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        if (!events)
            return;
        if (const int code = KeyCode(event->key()))
            events->KeyDown(code);
        // Tab types its character on release, as the game reads it.
        if (event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab)
            for (char byte : TypedBytes(event->text().toStdString()))
                events->Char(static_cast<uint8_t>(byte));
        UpdateInputMethod();
    }
    void keyReleaseEvent(QKeyEvent *event) override
    {
        // A held key repeats its press alone, never a release between.
        if (!events || event->isAutoRepeat())
            return;
        if (const int code = KeyCode(event->key()))
            events->KeyUp(code);
        UpdateInputMethod();
    }
    // Tab stays the game's even when native controls stand in the window.
    bool focusNextPrevChild(bool) override { return false; }

    void inputMethodEvent(QInputMethodEvent *event) override
    {
        if (events)
            for (char byte : TypedBytes(event->commitString().toStdString()))
                events->Char(static_cast<uint8_t>(byte));
        event->accept();
        UpdateInputMethod();
    }
    // Only an edit box takes an input method's text; during play it would swallow letters and Space.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override
    {
        Rect box;
        const bool typing = events && events->TextInput(box);
        if (query == Qt::ImEnabled)
            return typing;
        if (query == Qt::ImCursorRectangle)
            return typing ? ToWidget(box) : QRect();
        return QWidget::inputMethodQuery(query);
    }

    void dragEnterEvent(QDragEnterEvent *event) override
    {
        if (event->mimeData()->hasUrls())
            event->acceptProposedAction();
    }
    void dropEvent(QDropEvent *event) override
    {
        std::vector<std::string> paths;
        for (const QUrl &url : event->mimeData()->urls())
            paths.push_back(url.isLocalFile() ? QFile::encodeName(url.toLocalFile()).toStdString() : std::string());
        event->acceptProposedAction();
        // Answered once the drop is over, as a dropped-files message comes after it.
        QMetaObject::invokeMethod(
            this,
            [this, paths] {
                if (events)
                    events->Drop(paths);
            },
            Qt::QueuedConnection);
    }

    void closeEvent(QCloseEvent *event) override
    {
        if (events)
            events->Close();
        event->accept();
    }

private:
    // Where the frame stands in the widget: all of it in a window, scaled and centred in full screen.
    QRect FrameRect() const
    {
        if (!isFullScreen())
            return QRect(0, 0, kFrameWidth, kFrameHeight);
        QSize scaled = QSize(kFrameWidth, kFrameHeight).scaled(size(), Qt::KeepAspectRatio);
        return QRect(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
    }
    // Rounded down, so that a point in the black bars lies outside the frame.
    QPoint ToFrame(QPointF p) const
    {
        const QRect r = FrameRect();
        return QPoint(static_cast<int>(std::floor((p.x() - r.x()) * kFrameWidth / r.width())),
                      static_cast<int>(std::floor((p.y() - r.y()) * kFrameHeight / r.height())));
    }
    QRect ToWidget(const Rect &box) const
    {
        const QRect r = FrameRect();
        auto x = [&](int fx) { return r.x() + fx * r.width() / kFrameWidth; };
        auto y = [&](int fy) { return r.y() + fy * r.height() / kFrameHeight; };
        return QRect(QPoint(x(box.left), y(box.top)), QPoint(x(box.right) - 1, y(box.bottom) - 1));
    }

    void Fit(std::pair<QPointer<QWidget>, Rect> &placed)
    {
        if (placed.first)
            placed.first->setGeometry(ToWidget(placed.second));
    }

    QImage frame_;
    std::vector<std::pair<QPointer<QWidget>, Rect>> placed_;
    bool painted_ = false;
    bool typing_ = false;
    Rect box_;
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
    view_->UpdateInputMethod();
}

void FrameWindow::ShowWindowed(bool caption)
{
    view_->setWindowFlags(caption ? Qt::Window : Qt::Window | Qt::FramelessWindowHint);
    view_->showNormal();
    view_->setFixedSize(kFrameWidth, kFrameHeight);
    view_->move((ScreenWidth() - kFrameWidth) / 2, (ScreenHeight() - kFrameHeight) / 2);
    view_->show();
    view_->activateWindow();
    view_->setFocus();
    view_->UpdateInputMethod();
}

bool FrameWindow::IsFullScreen() const
{
    return view_->isFullScreen();
}

void FrameWindow::SetEvents(WindowEvents *events)
{
    view_->events = events;
}

void FrameWindow::SetTitle(const std::string &title)
{
    view_->setWindowTitle(QString::fromStdString(title));
}

void FrameWindow::Hide()
{
    view_->hide();
}

bool FrameWindow::SetCursorFile(const std::string &path)
{
    QPixmap picture(QFile::decodeName(path.c_str()));
    if (picture.isNull())
        return false;
    // A cursor file's first entry holds the hot spot after its size and colour bytes.
    unsigned char header[14] = {};
    std::ifstream(path, std::ios::binary).read(reinterpret_cast<char *>(header), sizeof header);
    const int hotX = header[10] | header[11] << 8;
    const int hotY = header[12] | header[13] << 8;
    const bool inside = hotX < picture.width() && hotY < picture.height();
    view_->pointer = QCursor(picture, inside ? hotX : -1, inside ? hotY : -1);
    view_->setCursor(view_->pointer);
    return true;
}

void FrameWindow::SetHandCursor(bool hand)
{
    view_->setCursor(hand ? QCursor(Qt::PointingHandCursor) : view_->pointer);
}

bool FrameWindow::HandCursor() const
{
    return view_->cursor().shape() == Qt::PointingHandCursor;
}

void FrameWindow::Post(std::function<void()> call)
{
    QMetaObject::invokeMethod(view_.get(), std::move(call), Qt::QueuedConnection);
}

QWidget *FrameWindow::Widget()
{
    return view_.get();
}

QPoint FrameWindow::FrameToGlobal(int x, int y) const
{
    return view_->mapToGlobal(view_->FramePoint(x, y));
}

void FrameWindow::PlaceOverFrame(QWidget *control, const Rect &frameRect)
{
    control->setParent(view_.get());
    control->setFocusPolicy(Qt::NoFocus);
    for (QWidget *child : control->findChildren<QWidget *>())
        child->setFocusPolicy(Qt::NoFocus);
    view_->Place(control, frameRect);
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

bool FrameWindow::IsVisible() const
{
    return view_->isVisible();
}

void FrameWindow::Alert()
{
    QApplication::alert(view_.get(), 0);
}
