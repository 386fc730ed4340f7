#include "resources/GridPictureArt.h"

#include "resources/Art.h"
#include "resources/Pictures.h"

using namespace art;
using namespace art::palette;

namespace {

void Active(QPainter& p) { Bulb(p, QRectF(0, 0, 16, 16), true, 1); }

void Inactive(QPainter& p) { Bulb(p, QRectF(0, 0, 16, 16), false, 1); }

void TypeOther(QPainter& p)
{
    Page(p, QRectF(3.5, 1.5, 9, 13), Paper, Grey, 1);
}

void TypeTxt(QPainter& p)
{
    Arrow(p, QPointF(1.5, 8), QPointF(14.5, 8), 4, 10, Blue);
}

void Done(QPainter& p)
{
    Check(p, QRectF(2.5, 3.5, 11, 9), Green, 2.6);
}

void TypeOffice(QPainter& p)
{
    // A page whose lines stand for the three kinds of office document.
    Page(p, QRectF(2.5, 1.5, 11, 13), Paper, Ink, 1);
    TextLines(p, QRectF(4.5, 6, 7, 1.6), 1, Blue, 1.6);
    TextLines(p, QRectF(4.5, 9, 7, 1.6), 1, Green, 1.6);
    TextLines(p, QRectF(4.5, 12, 7, 1.6), 1, Orange, 1.6);
}

void Failed(QPainter& p)
{
    Disc(p, QRectF(1, 1, 14, 14), Red, Qt::transparent, 1);
    Cross(p, QRectF(5, 5, 6, 6), Paper, 2);
}

void Locked(QPainter& p) { Padlock(p, QRectF(1, 0.5, 14, 15), true, 1); }

void LockedInactive(QPainter& p) { Padlock(p, QRectF(1, 0.5, 14, 15), false, 1); }

} // namespace

bool PaintGridPicture(int id, QPainter& p)
{
    switch (id) {
    case ResPicActive: Active(p); return true;
    case ResPicInactive: Inactive(p); return true;
    case ResPicTypeOther: TypeOther(p); return true;
    case ResPicTypeTxt: TypeTxt(p); return true;
    case ResPicDone: Done(p); return true;
    case ResPicTypeOffice: TypeOffice(p); return true;
    case ResPicFailed: Failed(p); return true;
    case ResPicLocked: Locked(p); return true;
    case ResPicLockedInactive: LockedInactive(p); return true;
    default: return false;
    }
}
