#include "editor/ui/SnapShotCapture.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdlib>
#include <xcb/xcb.h>

#include "editor/core/SnapShot.h"
#include "editor/ui/QImageBitmap.h"

namespace gw {

namespace {
constexpr int kFrameMilliseconds = 30;
constexpr int kReleaseFallbackMilliseconds = 5000;

// Whether the X server lets this program have the pointer and the keyboard now. Qt's own grabs do not tell
// when another program holds them, so a grab of each is tried on the window and given back at once.
bool ServerAllowsGrabs(QWidget* window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  if (!c) return false;
  const auto w = static_cast<xcb_window_t>(window->winId());
  const auto granted = [c](auto* reply) {
    const bool ok = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
    std::free(reply);
    return ok;
  };
  const bool pointer = granted(xcb_grab_pointer_reply(
      c, xcb_grab_pointer(c, 0, w, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
      nullptr));
  const bool keyboard = pointer && granted(xcb_grab_keyboard_reply(
      c, xcb_grab_keyboard(c, 0, w, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC), nullptr));
  if (keyboard) xcb_ungrab_keyboard(c, XCB_CURRENT_TIME);
  if (pointer) xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
  xcb_flush(c);
  return pointer && keyboard;
}

}  // namespace

TSnapShotCapture::TSnapShotCapture(QWidget* owner, int edge)
    : QWidget(owner), edge_(edge), timer_(new QTimer(this)) {
  setObjectName(QStringLiteral("SnapShotCapture"));
  // An invisible corner of the window: it only receives what the grabs deliver.
  setGeometry(0, 0, 1, 1);
  setFocusPolicy(Qt::StrongFocus);
  timer_->setInterval(kFrameMilliseconds);
  connect(timer_, &QTimer::timeout, this, [this] {
    if (captureSquare()) emit frame(square_);
  });
}

TSnapShotCapture::~TSnapShotCapture() { release(); }

bool TSnapShotCapture::start(QString& problem) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    problem = NoX11Text;
    return false;
  }
  show();
  raise();
  if (!ServerAllowsGrabs(window())) {
    hide();
    problem = GrabFailedText;
    return false;
  }
  grabMouse();
  grabKeyboard();
  grabbed_ = true;
  if (!captureSquare()) {
    release();
    problem = ScreenFailedText;
    return false;
  }
  setFocus();
  emit frame(square_);
  timer_->start();
  return true;
}

bool TSnapShotCapture::captureSquare() {
  const QPoint pointer = QCursor::pos();
  QScreen* screen = QGuiApplication::screenAt(pointer);
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return false;
  const QRect geometry = screen->geometry();
  bool readable = true;
  const auto grab = [&](const Rect& part) {
    const QPixmap shot =
        screen->grabWindow(0, part.left - geometry.x(), part.top - geometry.y(), part.width(), part.height());
    if (shot.isNull()) {
      readable = false;
      return Bitmap();
    }
    QImage image = shot.toImage();
    if (image.size() != QSize(part.width(), part.height()))  // a scaled screen gives device pixels
      image = image.scaled(part.width(), part.height());
    return BitmapOverWhite(image);
  };
  const Rect screenRect{geometry.left(), geometry.top(), geometry.left() + geometry.width(),
                        geometry.top() + geometry.height()};
  Bitmap square = CaptureScreenSquare(SnapShotSquare({pointer.x(), pointer.y()}, edge_), screenRect, grab);
  if (!readable) return false;
  square_ = std::move(square);
  return true;
}

bool TSnapShotCapture::event(QEvent* e) {
  // While the capture runs, keys are its own: no shortcut of the window may fire.
  if (e->type() == QEvent::ShortcutOverride) {
    e->accept();
    return true;
  }
  return QWidget::event(e);
}

void TSnapShotCapture::end() {
  if (ended_) return;
  ended_ = true;
  timer_->stop();
  emit ended(square_);
  // Should the release never come, the pointer and keyboard are not kept from the desktop for good.
  QTimer::singleShot(kReleaseFallbackMilliseconds, this, [this] {
    if (!grabbed_) return;
    release();
    emit finished();
  });
}

void TSnapShotCapture::release() {
  if (!grabbed_) return;
  grabbed_ = false;
  timer_->stop();
  releaseKeyboard();
  releaseMouse();
  hide();
}

void TSnapShotCapture::keyPressEvent(QKeyEvent* e) {
  e->accept();
  end();
}

void TSnapShotCapture::mousePressEvent(QMouseEvent* e) {
  e->accept();
  end();
}

void TSnapShotCapture::keyReleaseEvent(QKeyEvent* e) {
  e->accept();
  if (!ended_ || e->isAutoRepeat()) return;
  release();
  emit finished();
}

void TSnapShotCapture::mouseReleaseEvent(QMouseEvent* e) {
  e->accept();
  if (!ended_) return;
  release();
  emit finished();
}

void TSnapShotCapture::mouseMoveEvent(QMouseEvent* e) { e->accept(); }

}  // namespace gw
