#include "resources/Pictures.h"

#include "resources/Art.h"
#include "resources/GridPictureArt.h"
#include "resources/ToolbarArt.h"

#include <QHash>

namespace {

constexpr qreal kGridDesign = 16;
constexpr qreal kIconDesign = 32;

QIcon IconAtUsualSizes(const art::Painting& paint, std::initializer_list<int> sizes)
{
    QIcon icon;
    for (int size : sizes)
        icon.addPixmap(art::Render(size, kIconDesign, paint));
    return icon;
}

} // namespace

QPixmap LoadResPicture(int id)
{
    static QHash<int, QPixmap> cache;
    if (auto it = cache.constFind(id); it != cache.constEnd())
        return *it;
    bool known = true;
    QPixmap picture = art::Render(GridPictureSize, kGridDesign, [&](QPainter& p) { known = PaintGridPicture(id, p); });
    if (!known)
        return QPixmap();
    cache.insert(id, picture);
    return picture;
}

QIcon LoadToolbarIcon(const QString& key)
{
    static QHash<QString, QIcon> cache;
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    const IconPainting painting = FindToolbarPainting(key);
    const QIcon icon = IconAtUsualSizes(painting ? art::Painting(painting) : art::Painting(PaintGenericIcon),
                                        {16, 24, ToolbarIconSize, 48});
    cache.insert(key, icon);
    return icon;
}

QIcon ProgramIcon()
{
    static const QIcon icon = IconAtUsualSizes(PaintProgramIcon, {16, 24, 32, 48, 64, 128, 256});
    return icon;
}
