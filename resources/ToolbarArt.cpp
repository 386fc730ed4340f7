#include "resources/ToolbarArt.h"

#include "resources/Art.h"

#include <QHash>
#include <QPainterPath>

using namespace art;
using namespace art::palette;

namespace {

constexpr qreal kPen = 1.5;

void WrittenPage(QPainter& p, const QRectF& r, const QColor& lines)
{
    Page(p, r, Paper, Ink, kPen);
    const qreal inset = r.width() * 0.2;
    TextLines(p, QRectF(r.left() + inset, r.top() + r.height() * 0.36, r.width() - 2 * inset, r.height() * 0.48), 4, lines, 2);
}

// A list of `rows` bars with square bullets.
void ListRows(QPainter& p, const QRectF& r, int rows, const QColor& bullet)
{
    const qreal step = r.height() / rows;
    for (int i = 0; i < rows; ++i) {
        const qreal y = r.top() + i * step + step * 0.2;
        const qreal h = step * 0.6;
        p.setPen(Qt::NoPen);
        p.setBrush(bullet);
        p.drawRect(QRectF(r.left(), y, h, h));
        p.setBrush(Grey);
        p.drawRect(QRectF(r.left() + h * 1.6, y + h * 0.25, r.width() - h * 1.6, h * 0.5));
    }
}

// A pencil lying from bottom left (tip) to top right, across `r`.
void Pencil(QPainter& p, const QRectF& r)
{
    const qreal length = QLineF(r.bottomLeft(), r.topRight()).length();
    const qreal half = length * 0.15;
    p.save();
    p.translate(r.bottomLeft());
    p.rotate(-QLineF(r.bottomLeft(), r.topRight()).angle());
    p.setPen(SharpPen(Ink, kPen));
    // Tip: wood, then graphite.
    const QPolygonF tip{{0, 0}, {length * 0.25, -half}, {length * 0.25, half}};
    p.setBrush(QColor(0xf6, 0xd7, 0xa7));
    p.drawPolygon(tip);
    p.setBrush(Ink);
    p.setPen(Qt::NoPen);
    const QPolygonF lead{{0, 0}, {length * 0.09, -half * 0.36}, {length * 0.09, half * 0.36}};
    p.drawPolygon(lead);
    p.setPen(SharpPen(Ink, kPen));
    p.setBrush(Yellow);
    p.drawRect(QRectF(length * 0.25, -half, length * 0.57, 2 * half));
    p.setBrush(QColor(0xf2, 0x8b, 0x82));
    p.drawRect(QRectF(length * 0.82, -half, length * 0.18, 2 * half));
    p.restore();
}

void OpenFolder(QPainter& p, const QRectF& r)
{
    Folder(p, QRectF(r.left(), r.top(), r.width() * 0.88, r.height()), kPen);
    const qreal top = r.top() + r.height() * 0.36;
    const QPolygonF front{
        {r.left() + r.width() * 0.16, top},
        {r.right(), top},
        {r.right() - r.width() * 0.14, r.bottom()},
        {r.left(), r.bottom()}
    };
    p.setPen(SharpPen(FolderLine, kPen));
    p.setBrush(QColor(0xfe, 0xe2, 0x8a));
    p.drawPolygon(front);
}

// --- The function toolbar: one picture per work window --------------------------------

void DocConv(QPainter& p)
{
    Page(p, QRectF(5.5, 2.5, 21, 27), Paper, DarkBlue, kPen);
    p.setPen(Qt::NoPen);
    p.setBrush(Blue);
    p.drawRect(QRectF(9, 8, 9, 4));
    TextLines(p, QRectF(9, 15, 14, 11), 4, Blue, 2);
}

void XlsConv(QPainter& p)
{
    Page(p, QRectF(4.5, 2.5, 23, 27), Paper, Green, kPen);
    const QRectF table(8.5, 10.5, 15, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(LightGreen);
    p.drawRect(QRectF(table.left(), table.top(), table.width(), table.height() / 3));
    p.setPen(QPen(Green, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(table);
    for (int i = 1; i < 3; ++i) {
        const qreal y = table.top() + i * table.height() / 3;
        p.drawLine(QPointF(table.left(), y), QPointF(table.right(), y));
    }
    p.drawLine(QPointF(table.center().x(), table.top()), QPointF(table.center().x(), table.bottom()));
}

void PptConv(QPainter& p)
{
    // A presentation board on a stand, showing a pie chart and bars.
    p.setPen(RoundPen(Ink, 2));
    p.drawLine(QPointF(16, 23), QPointF(16, 29));
    p.drawLine(QPointF(10, 29.5), QPointF(22, 29.5));
    p.setPen(QPen(Orange, kPen));
    p.setBrush(Paper);
    p.drawRect(QRectF(2.5, 4.5, 27, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(LightGrey);
    p.drawEllipse(QPointF(11, 14), 6, 6);
    p.setBrush(Orange);
    p.drawPie(QRectF(5, 8, 12, 12), 90 * 16, -120 * 16);
    p.setBrush(Orange.lighter(130));
    p.drawRect(QRectF(20, 14, 2.5, 6));
    p.drawRect(QRectF(24, 9, 2.5, 11));
}

void HtmlConv(QPainter& p)
{
    const QRectF globe(3.5, 3.5, 25, 25);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd2, 0xe3, 0xfc));
    p.drawEllipse(globe);
    p.save();
    QPainterPath clip;
    clip.addEllipse(globe);
    p.setClipPath(clip);
    p.setPen(QPen(Blue, kPen));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(10, 3.5, 12, 25));
    p.drawLine(QPointF(16, 3), QPointF(16, 29));
    p.drawLine(QPointF(3, 16), QPointF(29, 16));
    p.drawLine(QPointF(3, 10), QPointF(29, 10));
    p.drawLine(QPointF(3, 22), QPointF(29, 22));
    p.restore();
    p.setPen(QPen(DarkBlue, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(globe);
}

void PathConv(QPainter& p)
{
    // A folder with two sub-folders hanging from it.
    p.setPen(QPen(Ink, kPen, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(8, 13), QPointF(8, 27));
    p.drawLine(QPointF(8, 17.5), QPointF(15, 17.5));
    p.drawLine(QPointF(8, 27), QPointF(15, 27));
    Folder(p, QRectF(2.5, 2.5, 16, 11), kPen);
    Folder(p, QRectF(15.5, 13.5, 14, 8), kPen);
    Folder(p, QRectF(15.5, 23, 14, 8), kPen);
}

void DBConv(QPainter& p)
{
    const QRectF top(6, 3, 20, 7);
    const qreal bottom = 26;
    QPainterPath body;
    body.moveTo(top.left(), top.center().y());
    body.lineTo(top.left(), bottom);
    body.arcTo(QRectF(top.left(), bottom - top.height() / 2, top.width(), top.height()), 180, 180);
    body.lineTo(top.right(), top.center().y());
    body.closeSubpath();
    p.setPen(QPen(DarkBlue, kPen));
    p.setBrush(QColor(0x8a, 0xb4, 0xf8));
    p.drawPath(body);
    p.setBrush(Qt::NoBrush);
    for (qreal y : {top.center().y() + 7.5, top.center().y() + 15}) {
        p.drawArc(QRectF(top.left(), y - top.height() / 2, top.width(), top.height()), 180 * 16, 180 * 16);
    }
    p.setBrush(QColor(0xd2, 0xe3, 0xfc));
    p.drawEllipse(top);
}

void SpecConv(QPainter& p)
{
    WrittenPage(p, QRectF(3.5, 1.5, 18, 23), Grey);
    Arrow(p, QPointF(11, 22), QPointF(31, 22), 3.5, 9, Green);
    Arrow(p, QPointF(31, 28.5), QPointF(11, 28.5), 3.5, 9, Blue);
}

void OnlineConv(QPainter& p)
{
    for (qreal x : {2.5, 18.5}) {
        p.setPen(QPen(Ink, kPen));
        p.setBrush(Paper);
        p.drawRect(QRectF(x, 5.5, 11, 21));
        TextLines(p, QRectF(x + 2.5, 9, 6, 13), 4, Grey, 1.5);
    }
    // A lightning bolt between the two boxes: the conversion is immediate.
    const QPolygonF bolt{{18, 2}, {10, 17}, {16, 17}, {13, 30}, {23, 13}, {17, 13}, {21, 2}};
    p.setPen(SharpPen(Amber, 1.2));
    p.setBrush(Yellow);
    p.drawPolygon(bolt);
}

void PhraseMgr(QPainter& p)
{
    // A closed dictionary.
    const QColor cover(0xc5, 0x22, 0x1f);
    p.setPen(QPen(Ink, kPen));
    p.setBrush(Paper);
    p.drawRect(QRectF(7.5, 24.5, 19, 5));
    p.setPen(QPen(cover.darker(130), kPen));
    p.setBrush(cover);
    p.drawRoundedRect(QRectF(5.5, 2.5, 21, 23), 2, 2);
    p.setPen(QPen(cover.darker(150), 2));
    p.drawLine(QPointF(9.5, 3.5), QPointF(9.5, 24.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    p.drawRect(QRectF(13, 8, 10, 5));
}

void ScheduleClock(QPainter& p) { Clock(p, QRectF(3.5, 3.5, 25, 25), kPen); }

// --- The work windows' toolbars ------------------------------------------------------

void Open(QPainter& p) { OpenFolder(p, QRectF(2.5, 5.5, 27, 21)); }

void SaveAs(QPainter& p)
{
    // A diskette.
    const QPolygonF disk{{4.5, 4.5}, {24, 4.5}, {27.5, 8}, {27.5, 27.5}, {4.5, 27.5}};
    p.setPen(SharpPen(DarkBlue, kPen));
    p.setBrush(Blue);
    p.drawPolygon(disk);
    p.setPen(Qt::NoPen);
    p.setBrush(LightGrey);
    p.drawRect(QRectF(10, 5.25, 12, 8));
    p.setBrush(DarkBlue);
    p.drawRect(QRectF(18, 6.5, 2.5, 5));
    p.setBrush(Paper);
    p.drawRect(QRectF(8.5, 16.5, 15, 10.25));
    TextLines(p, QRectF(11, 19.5, 10, 5), 2, Grey, 1.5);
}

void Cut(QPainter& p)
{
    p.setPen(RoundPen(Grey, 2.5));
    p.drawLine(QPointF(10, 3), QPointF(20.5, 20));
    p.drawLine(QPointF(22, 3), QPointF(11.5, 20));
    p.setPen(QPen(Red, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(9.5, 24), 4.5, 4.5);
    p.drawEllipse(QPointF(22.5, 24), 4.5, 4.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(QPointF(16, 12), 1.5, 1.5);
}

void Copy(QPainter& p)
{
    WrittenPage(p, QRectF(3.5, 2.5, 16, 20), Grey);
    WrittenPage(p, QRectF(12.5, 9.5, 16, 20), Blue);
}

void Paste(QPainter& p)
{
    const QColor board(0xb0, 0x70, 0x30);
    p.setPen(QPen(board.darker(130), kPen));
    p.setBrush(board);
    p.drawRoundedRect(QRectF(3.5, 4.5, 20, 25), 2, 2);
    p.setPen(QPen(Ink, kPen));
    p.setBrush(LightGrey);
    p.drawRoundedRect(QRectF(9.5, 2.5, 8, 5), 1.5, 1.5);
    WrittenPage(p, QRectF(13.5, 11.5, 15, 19), Blue);
}

void Undo(QPainter& p)
{
    QPainterPath curve;
    curve.moveTo(26, 26);
    curve.cubicTo(28, 14, 20, 9, 10, 11);
    p.setPen(RoundPen(Blue, 3.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    const QPolygonF head{{3, 11.5}, {12, 4}, {13, 18}};
    p.setPen(RoundPen(Blue, 1));
    p.setBrush(Blue);
    p.drawPolygon(head);
}

void SelectAll(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd2, 0xe3, 0xfc));
    p.drawRect(QRectF(4, 4, 24, 24));
    TextLines(p, QRectF(8, 9, 16, 14), 4, Blue, 2);
    QPen dashed(DarkBlue, kPen, Qt::CustomDashLine, Qt::FlatCap);
    dashed.setDashPattern({2, 1.5});
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3.5, 3.5, 25, 25));
}

void DeleteAll(QPainter& p)
{
    WrittenPage(p, QRectF(3.5, 2.5, 19, 25), Grey);
    Cross(p, QRectF(16, 16, 12, 12), Red, 4);
}

void Search(QPainter& p) { Magnifier(p, QRectF(3, 3, 26, 26), kPen); }

// Two words: the arrow runs from one to the other, which is filled.
void WordToWord(QPainter& p, bool toLeft, const QColor& colour)
{
    const QRectF left(2.5, 14.5, 12, 14);
    const QRectF right(17.5, 14.5, 12, 14);
    p.setPen(QPen(colour, kPen));
    p.setBrush(toLeft ? colour : Paper);
    p.drawRect(left);
    p.setBrush(toLeft ? Paper : colour);
    p.drawRect(right);
    TextLines(p, (toLeft ? right : left).adjusted(3, 4, -3, -4), 2, colour, 1.5);
    TextLines(p, (toLeft ? left : right).adjusted(3, 4, -3, -4), 2, Paper, 1.5);
    if (toLeft)
        Arrow(p, QPointF(29, 7), QPointF(3, 7), 4, 11, colour);
    else
        Arrow(p, QPointF(3, 7), QPointF(29, 7), 4, 11, colour);
}

void ReverseConvert(QPainter& p) { WordToWord(p, true, DarkBlue); }

void PhraseConvert(QPainter& p) { WordToWord(p, false, Green); }

void AddItem(QPainter& p)
{
    ListRows(p, QRectF(2, 3, 20, 21), 3, Blue);
    Disc(p, QRectF(15, 15, 16, 16), Green, Qt::transparent, 0);
    Plus(p, QRectF(18.5, 18.5, 9, 9), Paper, 3);
}

void MoveUp(QPainter& p) { Arrow(p, QPointF(16, 29), QPointF(16, 3), 8, 20, Blue); }

void MoveDown(QPainter& p) { Arrow(p, QPointF(16, 3), QPointF(16, 29), 8, 20, Blue); }

void Active(QPainter& p) { Bulb(p, QRectF(2, 1, 28, 30), true, kPen); }

void Deactive(QPainter& p) { Bulb(p, QRectF(2, 1, 28, 30), false, kPen); }

void Delete(QPainter& p) { Cross(p, QRectF(7, 7, 18, 18), Red, 5); }

void Detect(QPainter& p)
{
    // A warning sign: the two sides of a conversion do not agree.
    const QPolygonF sign{{16, 3}, {30, 28.5}, {2, 28.5}};
    p.setPen(RoundPen(Amber, 2));
    p.setBrush(Yellow);
    p.drawPolygon(sign);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawRoundedRect(QRectF(14.5, 11, 3, 10), 1.2, 1.2);
    p.drawEllipse(QPointF(16, 24.5), 1.8, 1.8);
}

void Merge(QPainter& p)
{
    QPainterPath lines;
    lines.moveTo(3, 5);
    lines.cubicTo(11, 5, 11, 16, 18, 16);
    lines.moveTo(3, 27);
    lines.cubicTo(11, 27, 11, 16, 18, 16);
    p.setPen(RoundPen(Purple, 3.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(lines);
    Arrow(p, QPointF(16, 16), QPointF(30, 16), 4, 12, Purple);
}

void Modify(QPainter& p) { Pencil(p, QRectF(3, 3, 26, 26)); }

void Insert(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Grey);
    p.drawRect(QRectF(13, 4, 17, 5));
    p.drawRect(QRectF(13, 23, 17, 5));
    p.setPen(QPen(Green, kPen));
    p.setBrush(QColor(0xce, 0xea, 0xd6));
    p.drawRect(QRectF(13.5, 12.5, 16, 7));
    Arrow(p, QPointF(1, 16), QPointF(12, 16), 4, 11, Green);
}

void LockPct(QPainter& p) { Padlock(p, QRectF(3, 1, 26, 30), true, kPen); }

void OutDir(QPainter& p)
{
    Folder(p, QRectF(2.5, 9.5, 22, 18), kPen);
    Arrow(p, QPointF(12, 22), QPointF(29, 4), 4, 11, Green);
}

void FileDir(QPainter& p)
{
    Folder(p, QRectF(2.5, 5.5, 24, 20), kPen);
    Pencil(p, QRectF(14, 12, 17, 17));
}

void ViewIn(QPainter& p)
{
    WrittenPage(p, QRectF(12.5, 2.5, 17, 27), Blue);
    Arrow(p, QPointF(1, 16), QPointF(17, 16), 4.5, 12, Blue);
}

void ViewOut(QPainter& p)
{
    WrittenPage(p, QRectF(2.5, 2.5, 17, 27), Green);
    Arrow(p, QPointF(14, 16), QPointF(31, 16), 4.5, 12, Green);
}

void ListAll(QPainter& p) { ListRows(p, QRectF(3, 3, 26, 26), 4, Blue); }

void ListNew(QPainter& p)
{
    // A funnel: only some rows get through.
    const QPolygonF funnel{{3, 4.5}, {29, 4.5}, {19, 16}, {19, 28}, {13, 24}, {13, 16}};
    p.setPen(QPen(DarkBlue, kPen, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(QColor(0x8a, 0xb4, 0xf8));
    p.drawPolygon(funnel);
}

void TypeConv(QPainter& p)
{
    Arrow(p, QPointF(3, 10), QPointF(29, 10), 4.5, 12, Green);
    Arrow(p, QPointF(29, 22), QPointF(3, 22), 4.5, 12, Blue);
}

void Run(QPainter& p)
{
    const QPolygonF play{{8, 4}, {28, 16}, {8, 28}};
    p.setPen(RoundPen(Green, 2));
    p.setBrush(LightGreen);
    p.drawPolygon(play);
}

} // namespace

IconPainting FindToolbarPainting(const QString& key)
{
    static const QHash<QString, IconPainting> paintings = {
        // The main window's function toolbar.
        {QStringLiteral("DocConv"), DocConv},
        {QStringLiteral("XlsConv"), XlsConv},
        {QStringLiteral("PptConv"), PptConv},
        {QStringLiteral("HtmlConv"), HtmlConv},
        {QStringLiteral("PathConv"), PathConv},
        {QStringLiteral("DBConv"), DBConv},
        {QStringLiteral("SpecConv"), SpecConv},
        {QStringLiteral("OnlineConv"), OnlineConv},
        {QStringLiteral("PhraseMgr"), PhraseMgr},
        {QStringLiteral("Schedule"), ScheduleClock},
        // The work windows' toolbars.
        {QStringLiteral("OPEN"), Open},
        {QStringLiteral("SAVEAS"), SaveAs},
        {QStringLiteral("CUT"), Cut},
        {QStringLiteral("COPY"), Copy},
        {QStringLiteral("PASTE"), Paste},
        {QStringLiteral("UNDO"), Undo},
        {QStringLiteral("SELECTALL"), SelectAll},
        {QStringLiteral("DELETEALL"), DeleteAll},
        {QStringLiteral("SEARCH"), Search},
        {QStringLiteral("REVERSECONVERT"), ReverseConvert},
        {QStringLiteral("PHRASECONVERT"), PhraseConvert},
        {QStringLiteral("ADDITEM"), AddItem},
        {QStringLiteral("MOVEUP"), MoveUp},
        {QStringLiteral("MOVEDOWN"), MoveDown},
        {QStringLiteral("ACTIVE"), Active},
        {QStringLiteral("DEACTIVE"), Deactive},
        {QStringLiteral("DELETE"), Delete},
        {QStringLiteral("DETECT"), Detect},
        {QStringLiteral("MERGE"), Merge},
        {QStringLiteral("MODIFY"), Modify},
        {QStringLiteral("INSERT"), Insert},
        {QStringLiteral("lockPCT"), LockPct},
        {QStringLiteral("OUTDIR"), OutDir},
        {QStringLiteral("FILEDIR"), FileDir},
        {QStringLiteral("VIEWIN"), ViewIn},
        {QStringLiteral("VIEWOUT"), ViewOut},
        {QStringLiteral("LISTALL"), ListAll},
        {QStringLiteral("LISTNEW"), ListNew},
        {QStringLiteral("TYPECONV"), TypeConv},
        {QStringLiteral("RUN"), Run},
        {QStringLiteral("SCHEDULE"), ScheduleClock},
    };
    return paintings.value(key, nullptr);
}

void PaintGenericIcon(QPainter& p)
{
    p.setPen(QPen(Grey, kPen));
    p.setBrush(QColor(0xf1, 0xf3, 0xf4));
    p.drawRoundedRect(QRectF(4.5, 4.5, 23, 23), 4, 4);
    Disc(p, QRectF(11, 11, 10, 10), Blue, Qt::transparent, 0);
}

void PaintProgramIcon(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(DarkBlue);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 7, 7);
    Arrow(p, QPointF(6, 11), QPointF(26, 11), 4.5, 11, Paper);
    Arrow(p, QPointF(26, 21), QPointF(6, 21), 4.5, 11, Yellow);
}
