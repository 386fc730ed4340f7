#pragma once
// A picture the grids share for the life of the process (gPicDone, gPicFailed ...). Pixmaps
// cannot be made before the application object, so a program-wide picture holds its pixmap
// from the moment it is loaded and is an empty pixmap before; it is never released.
#include <QPixmap>

class GridPicture {
public:
    const QPixmap& pixmap() const
    {
        if (!m_pixmap)
            m_pixmap = new QPixmap;
        return *m_pixmap;
    }
    operator const QPixmap&() const { return pixmap(); }
    bool isNull() const { return !m_pixmap || m_pixmap->isNull(); }
    GridPicture& operator=(const QPixmap& picture)
    {
        if (m_pixmap)
            *m_pixmap = picture;
        else
            m_pixmap = new QPixmap(picture);
        return *this;
    }

private:
    mutable QPixmap* m_pixmap = nullptr; // intentionally never deleted: outlives the application
};
