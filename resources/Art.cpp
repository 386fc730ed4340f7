#include "resources/Art.h"

#include <QPainterPath>
#include <QtMath>

namespace art {

using namespace palette;

QPen RoundPen(const QColor& colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPen SharpPen(const QColor& colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

QPixmap Render(int size, qreal design, const Painting& paint)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / design, size / design);
    paint(p);
    return pixmap;
}

void Page(QPainter& p, const QRectF& r, const QColor& fill, const QColor& line, qreal pen)
{
    const qreal fold = r.width() * 0.32;
    const QPolygonF sheet{
        {r.left(), r.top()},
        {r.right() - fold, r.top()},
        {r.right(), r.top() + fold},
        {r.right(), r.bottom()},
        {r.left(), r.bottom()}
    };
    p.setPen(SharpPen(line, pen));
    p.setBrush(fill);
    p.drawPolygon(sheet);

    const QPolygonF corner{
        {r.right() - fold, r.top()},
        {r.right() - fold, r.top() + fold},
        {r.right(), r.top() + fold}
    };
    p.setBrush(LightGrey);
    p.drawPolygon(corner);
}

void TextLines(QPainter& p, const QRectF& area, int count, const QColor& colour, qreal width)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    const qreal step = count > 1 ? (area.height() - width) / (count - 1) : 0;
    for (int i = 0; i < count; ++i) {
        const qreal y = area.top() + width / 2 + i * step;
        // The last line of a paragraph is shorter.
        const qreal right = (i == count - 1 && count > 2) ? area.left() + area.width() * 0.6 : area.right();
        p.drawLine(QPointF(area.left(), y), QPointF(right, y));
    }
}

void Folder(QPainter& p, const QRectF& r, qreal pen)
{
    const qreal tabW = r.width() * 0.42;
    const qreal tabH = r.height() * 0.18;
    const QPolygonF back{
        {r.left(), r.top() + tabH},
        {r.left(), r.top()},
        {r.left() + tabW - tabH, r.top()},
        {r.left() + tabW, r.top() + tabH}
    };
    p.setPen(SharpPen(FolderLine, pen));
    p.setBrush(FolderLine.lighter(130));
    p.drawPolygon(back);
    p.setBrush(FolderFill);
    p.drawRect(QRectF(r.left(), r.top() + tabH, r.width(), r.height() - tabH));
}

void Arrow(QPainter& p, QPointF from, QPointF to, qreal shaft, qreal head, const QColor& colour)
{
    const QLineF line(from, to);
    const qreal length = line.length();
    const qreal headLength = qMin(head * 0.9, length * 0.6);
    const QPolygonF arrow{
        {0, -shaft / 2},
        {length - headLength, -shaft / 2},
        {length - headLength, -head / 2},
        {length, 0},
        {length - headLength, head / 2},
        {length - headLength, shaft / 2},
        {0, shaft / 2}
    };

    p.save();
    p.translate(from);
    p.rotate(-line.angle());
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(arrow);
    p.restore();
}

void Check(QPainter& p, const QRectF& r, const QColor& colour, qreal width)
{
    p.setPen(RoundPen(colour, width));
    p.setBrush(Qt::NoBrush);
    const QPointF points[] = {
        {r.left(), r.top() + r.height() * 0.55},
        {r.left() + r.width() * 0.38, r.bottom()},
        {r.right(), r.top()},
    };
    p.drawPolyline(points, 3);
}

void Cross(QPainter& p, const QRectF& r, const QColor& colour, qreal width)
{
    p.setPen(RoundPen(colour, width));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void Plus(QPainter& p, const QRectF& r, const QColor& colour, qreal width)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
}

void Disc(QPainter& p, const QRectF& r, const QColor& fill, const QColor& line, qreal pen)
{
    p.setPen(line.alpha() == 0 ? QPen(Qt::NoPen) : QPen(line, pen));
    p.setBrush(fill);
    p.drawEllipse(r);
}

void Bulb(QPainter& p, const QRectF& r, bool lit, qreal pen)
{
    const qreal w = r.width();
    const qreal h = r.height();
    const QPointF centre(r.left() + w * 0.5, r.top() + h * 0.42);
    const qreal radius = w * 0.24;
    const QColor glass = lit ? QColor(0xff, 0xe0, 0x5c) : LightGrey;
    const QColor outline = lit ? Amber : Grey;

    if (lit) {
        // Rays around the glass.
        p.setPen(RoundPen(Amber, pen));
        for (int angle : {0, 45, 90, 135, 180}) {
            const qreal a = qDegreesToRadians(qreal(angle));
            const QPointF dir(-qCos(a), -qSin(a));
            p.drawLine(centre + dir * (radius + w * 0.09), centre + dir * (radius + w * 0.19));
        }
    }

    // Glass and neck as one shape.
    QPainterPath shape;
    shape.addEllipse(centre, radius, radius);
    QPainterPath neck;
    const qreal neckTop = centre.y() + radius * 0.55;
    const qreal neckBottom = r.top() + h * 0.74;
    neck.moveTo(centre.x() - radius * 0.85, neckTop);
    neck.lineTo(centre.x() + radius * 0.85, neckTop);
    neck.lineTo(centre.x() + w * 0.12, neckBottom);
    neck.lineTo(centre.x() - w * 0.12, neckBottom);
    neck.closeSubpath();
    shape = shape.united(neck);
    p.setPen(QPen(outline, pen));
    p.setBrush(glass);
    p.drawPath(shape);

    // Screw base.
    const QRectF base(centre.x() - w * 0.14, neckBottom, w * 0.28, h * 0.2);
    p.setPen(QPen(lit ? Ink : Grey, pen));
    p.setBrush(lit ? Grey : LightGrey);
    p.drawRoundedRect(base, w * 0.03, w * 0.03);
}

void Padlock(QPainter& p, const QRectF& r, bool coloured, qreal pen)
{
    const qreal w = r.width();
    const qreal h = r.height();
    const QColor shackle = coloured ? Ink : Grey;
    const QColor body = coloured ? Yellow : LightGrey;
    const QColor bodyLine = coloured ? Amber : Grey;

    // Shackle: a U upside down, standing in the body.
    const qreal sw = w * 0.13;
    const QRectF arc(r.left() + w * 0.27, r.top() + h * 0.04 + sw / 2, w * 0.46, h * 0.52);
    QPainterPath u;
    u.moveTo(arc.left(), r.top() + h * 0.52);
    u.lineTo(arc.left(), arc.center().y());
    u.arcTo(arc, 180, -180);
    u.lineTo(arc.right(), r.top() + h * 0.52);
    p.setPen(QPen(shackle, sw, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(u);

    const QRectF bodyRect(r.left() + w * 0.12, r.top() + h * 0.45, w * 0.76, h * 0.52);
    p.setPen(QPen(bodyLine, pen));
    p.setBrush(body);
    p.drawRoundedRect(bodyRect, w * 0.08, w * 0.08);

    // Keyhole.
    p.setPen(Qt::NoPen);
    p.setBrush(coloured ? Ink : Grey);
    const QPointF hole(bodyRect.center().x(), bodyRect.top() + bodyRect.height() * 0.42);
    p.drawEllipse(hole, w * 0.08, w * 0.08);
    p.drawRect(QRectF(hole.x() - w * 0.035, hole.y(), w * 0.07, bodyRect.height() * 0.32));
}

void Magnifier(QPainter& p, const QRectF& r, qreal pen)
{
    const qreal w = r.width();
    const QRectF lens(r.left(), r.top(), w * 0.64, w * 0.64);
    p.setPen(QPen(Ink, w * 0.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(lens.center() + QPointF(w * 0.24, w * 0.24), QPointF(r.right() - w * 0.06, r.bottom() - w * 0.06));
    p.setPen(QPen(Ink, pen * 1.6));
    p.setBrush(QColor(0xd2, 0xe3, 0xfc));
    p.drawEllipse(lens);
    // A glint on the glass.
    p.setPen(RoundPen(Paper, pen));
    p.setBrush(Qt::NoBrush);
    p.drawArc(lens.adjusted(w * 0.12, w * 0.12, -w * 0.12, -w * 0.12), 100 * 16, 70 * 16);
}

void Clock(QPainter& p, const QRectF& r, qreal pen)
{
    p.setPen(QPen(DarkBlue, pen * 1.5));
    p.setBrush(Paper);
    p.drawEllipse(r);
    const QPointF c = r.center();
    const qreal radius = r.width() / 2;
    // Hour marks at 12, 3, 6 and 9.
    p.setPen(QPen(Grey, pen, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < 4; ++i) {
        const qreal a = qDegreesToRadians(90.0 * i);
        const QPointF dir(qCos(a), qSin(a));
        p.drawLine(c + dir * radius * 0.68, c + dir * radius * 0.84);
    }
    p.setPen(RoundPen(Ink, pen * 1.4));
    p.drawLine(c, c + QPointF(0, -radius * 0.62));
    p.drawLine(c, c + QPointF(radius * 0.45, radius * 0.1));
    p.setPen(Qt::NoPen);
    p.setBrush(Red);
    p.drawEllipse(c, pen * 1.1, pen * 1.1);
}

} // namespace art
