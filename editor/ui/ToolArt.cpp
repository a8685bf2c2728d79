#include "editor/ui/ToolArt.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <cmath>

namespace gw {

namespace {

QPixmap Blank(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  return pm;
}

// The pencil: a slanted body with a point at the lower left.
void DrawPencil(QPainter& p, const QColor& ink, int ox, int oy, int scale) {
  p.save();
  p.translate(ox, oy);
  p.scale(scale, scale);
  p.setPen(QPen(ink, 1.0 / scale * 1.2));
  const QPolygonF body{QPointF(15, 2), QPointF(19, 6), QPointF(8, 17), QPointF(4, 13)};
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(body);
  p.setBrush(ink);
  p.drawPolygon(QPolygonF{QPointF(4, 13), QPointF(8, 17), QPointF(2, 19)});
  p.restore();
}

void DrawBucket(QPainter& p, const QColor& ink) {
  p.setPen(QPen(ink, 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(QPolygon{QPoint(4, 9), QPoint(11, 3), QPoint(18, 10), QPoint(11, 17)});
  p.setBrush(ink);
  p.drawPolygon(QPolygon{QPoint(4, 9), QPoint(18, 10), QPoint(11, 17)});
  p.drawEllipse(QRect(17, 13, 4, 6));  // the drop of paint
}

void DrawArrowHead(QPainter& p, QPointF tip, QPointF dir, double len) {
  const QPointF n(-dir.y(), dir.x());
  p.drawPolygon(QPolygonF{tip, tip - dir * len + n * (len * 0.6), tip - dir * len - n * (len * 0.6)});
}

// The two arrows of the move tools, bottom right of the picture.
void DrawMoveArrows(QPainter& p, const QColor& ink) {
  p.setPen(QPen(ink, 1.5));
  p.drawLine(QPointF(11, 15), QPointF(20, 15));
  p.drawLine(QPointF(15.5, 10), QPointF(15.5, 20));
  p.setBrush(ink);
  DrawArrowHead(p, QPointF(21, 15), QPointF(1, 0), 3);
  DrawArrowHead(p, QPointF(15.5, 21), QPointF(0, 1), 3);
}

void DrawTool(QPainter& p, int index, const QColor& ink) {
  p.setRenderHint(QPainter::Antialiasing, true);
  QPen pen(ink, 1.5);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  switch (index) {
    case kPicPencil:
      DrawPencil(p, ink, 1, 1, 1);
      break;
    case kPicLine:
      p.drawLine(QPointF(4, 19), QPointF(19, 4));
      break;
    case kPicCircle:
      p.drawEllipse(QRectF(3.5, 5.5, 16, 12));
      break;
    case kPicRect:
      p.drawRect(QRectF(3.5, 5.5, 16, 12));
      break;
    case kPicFilledCircle:
      p.setBrush(ink);
      p.drawEllipse(QRectF(3.5, 5.5, 16, 12));
      break;
    case kPicFilledRect:
      p.setBrush(ink);
      p.drawRect(QRectF(3.5, 5.5, 16, 12));
      break;
    case kPicRoundRect:
      p.drawRoundedRect(QRectF(3.5, 5.5, 16, 12), 4, 4);
      break;
    case kPicRoundFilledRect:
      p.setBrush(ink);
      p.drawRoundedRect(QRectF(3.5, 5.5, 16, 12), 4, 4);
      break;
    case kPicFloodFill:
      DrawBucket(p, ink);
      break;
    case kPicMoveRect: {
      p.setPen(QPen(ink, 1, Qt::DotLine));
      p.drawRect(QRectF(2.5, 2.5, 12, 10));
      DrawMoveArrows(p, ink);
      break;
    }
    case kPicMoveShape: {
      p.setPen(QPen(ink, 1, Qt::DotLine));
      p.drawPolygon(QPolygonF{QPointF(3, 6), QPointF(9, 2), QPointF(14, 7), QPointF(10, 13), QPointF(4, 12)});
      DrawMoveArrows(p, ink);
      break;
    }
    case kPicEraser:
      p.drawPolygon(QPolygonF{QPointF(3, 14), QPointF(12, 5), QPointF(19, 12), QPointF(10, 21)});
      p.setBrush(ink);
      p.drawPolygon(QPolygonF{QPointF(3, 14), QPointF(7, 10), QPointF(14, 17), QPointF(10, 21)});
      break;
    case kPicCurves: {
      QPainterPath path(QPointF(3, 18));
      path.cubicTo(QPointF(6, 0), QPointF(15, 24), QPointF(20, 4));
      p.drawPath(path);
      break;
    }
    case kPicSnapshot:  // a camera
      p.drawRoundedRect(QRectF(2.5, 7.5, 18, 12), 2, 2);
      p.drawRect(QRectF(7.5, 4.5, 7, 3));
      p.drawEllipse(QRectF(7.5, 9.5, 8, 8));
      break;
    case kPicFlipH:  // mirrored triangles left and right of a dotted axis
      p.setBrush(ink);
      p.drawPolygon(QPolygonF{QPointF(9, 5), QPointF(9, 18), QPointF(2, 18)});
      p.setBrush(Qt::NoBrush);
      p.drawPolygon(QPolygonF{QPointF(14, 5), QPointF(14, 18), QPointF(21, 18)});
      p.setPen(QPen(ink, 1, Qt::DotLine));
      p.drawLine(QPointF(11.5, 2), QPointF(11.5, 21));
      break;
    case kPicFlipV:
      p.setBrush(ink);
      p.drawPolygon(QPolygonF{QPointF(5, 9), QPointF(18, 9), QPointF(18, 2)});
      p.setBrush(Qt::NoBrush);
      p.drawPolygon(QPolygonF{QPointF(5, 14), QPointF(18, 14), QPointF(18, 21)});
      p.setPen(QPen(ink, 1, Qt::DotLine));
      p.drawLine(QPointF(2, 11.5), QPointF(21, 11.5));
      break;
    case kPicRotate: {  // a clockwise arc with an arrow head
      p.drawArc(QRectF(4, 4, 15, 15), 90 * 16, -270 * 16);
      p.setBrush(ink);
      DrawArrowHead(p, QPointF(11.5, 4), QPointF(1, 0), 4);
      break;
    }
    case kPicColorSub:  // one colour square becomes another
      p.drawRect(QRectF(2.5, 2.5, 8, 8));
      p.setBrush(ink);
      p.drawRect(QRectF(12.5, 12.5, 8, 8));
      p.setBrush(Qt::NoBrush);
      p.drawLine(QPointF(8, 15), QPointF(12, 15));
      p.drawLine(QPointF(15, 8), QPointF(15, 12));
      p.setBrush(ink);
      DrawArrowHead(p, QPointF(15, 12), QPointF(0, 1), 3);
      break;
    case kPicText: {
      QFont f = p.font();
      f.setBold(true);
      f.setPixelSize(17);
      p.setFont(f);
      p.drawText(QRect(0, 0, 23, 23), Qt::AlignCenter, QStringLiteral("A"));
      break;
    }
    case kPicColorSelector:  // a dropper
      p.drawLine(QPointF(4, 19), QPointF(13, 10));
      p.setBrush(ink);
      p.drawEllipse(QRectF(13, 3, 7, 7));
      p.drawLine(QPointF(10, 8), QPointF(15, 13));
      break;
    default:
      break;
  }
}

void DrawCommand(QPainter& p, CommandPicture pic, const QColor& ink) {
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(ink, 1.5));
  p.setBrush(Qt::NoBrush);
  switch (pic) {
    case CommandPicture::Undo:
    case CommandPicture::Redo: {
      const bool undo = pic == CommandPicture::Undo;
      QPainterPath path;
      if (undo) {
        path.moveTo(4, 7);
        path.cubicTo(QPointF(10, 2), QPointF(16, 5), QPointF(13, 14));
      } else {
        path.moveTo(12, 7);
        path.cubicTo(QPointF(6, 2), QPointF(0, 5), QPointF(3, 14));
      }
      p.drawPath(path);
      p.setBrush(ink);
      DrawArrowHead(p, QPointF(undo ? 2 : 14, 8), QPointF(undo ? -1 : 1, 0.6), 4);
      break;
    }
    case CommandPicture::Open:  // an opened folder
    case CommandPicture::PaletteOpen:
      p.drawPolygon(QPolygonF{QPointF(1.5, 4.5), QPointF(6, 4.5), QPointF(7.5, 6), QPointF(13.5, 6), QPointF(13.5, 13.5), QPointF(1.5, 13.5)});
      p.setBrush(QColor(230, 200, 80));
      p.drawPolygon(QPolygonF{QPointF(3, 8.5), QPointF(15.5, 8.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)});
      break;
    case CommandPicture::Save:  // a diskette
    case CommandPicture::PaletteSave:
      p.drawRect(QRectF(2.5, 2.5, 11, 11));
      p.setBrush(ink);
      p.drawRect(QRectF(5, 2.5, 6, 4));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(4.5, 9, 7, 4.5));
      break;
    case CommandPicture::NudgeLeft:
    case CommandPicture::NudgeRight:
    case CommandPicture::NudgeUp:
    case CommandPicture::NudgeDown:
    case CommandPicture::NudgeUpLeft:
    case CommandPicture::NudgeUpRight:
    case CommandPicture::NudgeDownLeft:
    case CommandPicture::NudgeDownRight: {
      p.setBrush(ink);
      const QPointF c(8, 8);
      const bool left = pic == CommandPicture::NudgeLeft || pic == CommandPicture::NudgeUpLeft ||
                        pic == CommandPicture::NudgeDownLeft;
      const bool right = pic == CommandPicture::NudgeRight || pic == CommandPicture::NudgeUpRight ||
                         pic == CommandPicture::NudgeDownRight;
      const bool up = pic == CommandPicture::NudgeUp || pic == CommandPicture::NudgeUpLeft ||
                      pic == CommandPicture::NudgeUpRight;
      const bool down = pic == CommandPicture::NudgeDown || pic == CommandPicture::NudgeDownLeft ||
                        pic == CommandPicture::NudgeDownRight;
      QPointF d((right ? 1 : 0) - (left ? 1 : 0), (down ? 1 : 0) - (up ? 1 : 0));
      d /= std::hypot(d.x(), d.y());
      p.drawLine(c - d * 5, c + d * 2);
      DrawArrowHead(p, c + d * 6, d, 5);
      break;
    }
  }
  if (pic == CommandPicture::PaletteOpen || pic == CommandPicture::PaletteSave) {
    // Three colour dots mark the palette variants.
    p.setPen(Qt::NoPen);
    const QColor dots[3] = {QColor(220, 0, 0), QColor(0, 170, 0), QColor(0, 0, 230)};
    for (int i = 0; i < 3; ++i) {
      p.setBrush(dots[i]);
      p.drawEllipse(QRectF(9 + (i % 2) * 3.5, 0.5 + (i / 2) * 3.5, 3.5, 3.5));
    }
  }
}

}  // namespace

QPixmap ToolButtonPicture(int index, const QColor& ink) {
  QPixmap pm = Blank(23);
  QPainter p(&pm);
  DrawTool(p, index, ink);
  return pm;
}

QIcon ToolButtonIcon(int index) {
  QIcon icon;
  // The black pictures serve the normal and the disabled look alike: the chosen tool's button is the
  // disabled one and must not look greyed out.
  const QPixmap black = ToolButtonPicture(index, Qt::black);
  icon.addPixmap(black, QIcon::Normal);
  icon.addPixmap(ToolButtonPicture(index, QColor(0, 140, 0)), QIcon::Active);
  icon.addPixmap(black, QIcon::Disabled);
  return icon;
}

QIcon CommandButtonIcon(CommandPicture picture) {
  QIcon icon;
  for (auto [mode, ink] : {std::pair{QIcon::Normal, QColor(Qt::black)}, std::pair{QIcon::Disabled, QColor(160, 160, 160)}}) {
    QPixmap pm = Blank(16);
    QPainter p(&pm);
    DrawCommand(p, picture, ink);
    p.end();
    icon.addPixmap(pm, mode);
  }
  return icon;
}

const char* ToolCursorName(int slot) {
  switch (slot) {
    case kCursorSnapshot: return "SNAPSHOT";
    case kCursorFloodFill: return "FLOODFILL";
    case kCursorPencil: return "PENCIL";
    case kCursorEraser: return "ERASER";
    case kCursorRotate: return "ROTATE";
    case kCursorColorSelector: return "COLORSELECTOR";
    default: return "";
  }
}

QCursor ToolCursor(int slot) {
  // A 32 x 32 cursor: the tool's picture in black with a white outline, so it shows on any colour.
  int picture = -1;
  QPoint hot(0, 0);
  switch (slot) {
    case kCursorSnapshot: picture = kPicSnapshot; hot = {11, 13}; break;
    case kCursorFloodFill: picture = kPicFloodFill; hot = {19, 20}; break;
    case kCursorPencil: picture = kPicPencil; hot = {3, 20}; break;
    case kCursorEraser: picture = kPicEraser; hot = {4, 15}; break;
    case kCursorRotate: picture = kPicRotate; hot = {11, 11}; break;
    case kCursorColorSelector: picture = kPicColorSelector; hot = {4, 19}; break;
    default: return QCursor(Qt::ArrowCursor);
  }
  QPixmap pm = Blank(32);
  {
    QPainter p(&pm);
    const QPixmap outline = ToolButtonPicture(picture, Qt::white);
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy) p.drawPixmap(dx, dy, outline);
    p.drawPixmap(0, 0, ToolButtonPicture(picture, Qt::black));
    // A small cross marks the hot spot.
    p.setPen(QPen(Qt::black, 1));
    p.drawPoint(hot);
  }
  return QCursor(pm, hot.x(), hot.y());
}

QIcon WindowIcon() {
  QPixmap pm = Blank(32);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  // A magnified grid of cells with a pencil across it.
  const QColor cells[4] = {QColor(30, 90, 200), QColor(240, 180, 30), QColor(200, 40, 40), QColor(40, 160, 70)};
  for (int i = 0; i < 4; ++i) p.fillRect(QRect(2 + (i % 2) * 14, 2 + (i / 2) * 14, 13, 13), cells[i]);
  DrawPencil(p, Qt::black, 6, 6, 1);
  return QIcon(pm);
}

}  // namespace gw
