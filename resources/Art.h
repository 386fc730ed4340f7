#pragma once
// Flat drawing primitives shared by the grid pictures and the toolbar icons. Each one draws
// into the given rectangle in the painter's current (design) coordinates; `pen` is the
// outline width in the same units.
#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QRectF>
#include <functional>

namespace art {

// The palette: a few flat colours used throughout.
namespace palette {
inline const QColor Ink{0x3c, 0x40, 0x43};
inline const QColor Grey{0x80, 0x86, 0x8b};
inline const QColor LightGrey{0xda, 0xdc, 0xe0};
inline const QColor Paper{0xff, 0xff, 0xff};
inline const QColor Blue{0x1a, 0x73, 0xe8};
inline const QColor DarkBlue{0x17, 0x4e, 0xa6};
inline const QColor Green{0x1e, 0x8e, 0x3e};
inline const QColor LightGreen{0x34, 0xa8, 0x53};
inline const QColor Red{0xd9, 0x30, 0x25};
inline const QColor Yellow{0xfb, 0xbc, 0x04};
inline const QColor Amber{0xe3, 0x74, 0x00};
inline const QColor Orange{0xe8, 0x71, 0x0a};
inline const QColor Purple{0x8e, 0x24, 0xaa};
inline const QColor FolderFill{0xfd, 0xc6, 0x3f};
inline const QColor FolderLine{0xc2, 0x7c, 0x0e};
} // namespace palette

using Painting = std::function<void(QPainter&)>;

// A pen with round ends and joins, for strokes.
QPen RoundPen(const QColor& colour, qreal width);
// A pen with square ends and sharp joins, for outlines.
QPen SharpPen(const QColor& colour, qreal width);

// Renders a drawing made on a design grid of `design` units into a transparent square
// pixmap of `size` pixels.
QPixmap Render(int size, qreal design, const Painting& paint);

// A sheet of paper with its top-right corner folded.
void Page(QPainter& p, const QRectF& r, const QColor& fill, const QColor& line, qreal pen);
// `count` horizontal text lines spread over `area`.
void TextLines(QPainter& p, const QRectF& area, int count, const QColor& colour, qreal width);
// A closed folder: a tab on the back and the front face.
void Folder(QPainter& p, const QRectF& r, qreal pen);
// A solid arrow from `from` to `to` (the tip), `shaft` thick with a head `head` wide.
void Arrow(QPainter& p, QPointF from, QPointF to, qreal shaft, qreal head, const QColor& colour);
// A check mark, an x and a plus, stroked `width` thick with round ends.
void Check(QPainter& p, const QRectF& r, const QColor& colour, qreal width);
void Cross(QPainter& p, const QRectF& r, const QColor& colour, qreal width);
void Plus(QPainter& p, const QRectF& r, const QColor& colour, qreal width);
// A filled circle with an outline (no outline when `line` is transparent).
void Disc(QPainter& p, const QRectF& r, const QColor& fill, const QColor& line, qreal pen);
// A light bulb, lit (yellow with rays) or out (grey).
void Bulb(QPainter& p, const QRectF& r, bool lit, qreal pen);
// A padlock, coloured (gold) or grey.
void Padlock(QPainter& p, const QRectF& r, bool coloured, qreal pen);
// A magnifying glass.
void Magnifier(QPainter& p, const QRectF& r, qreal pen);
// A clock face showing ten past ten.
void Clock(QPainter& p, const QRectF& r, qreal pen);

} // namespace art
