#include "office/ShapeTypeName.h"

QString ShapeTypeName(int typeCode)
{
    switch (typeCode) {
    case -2: return QStringLiteral("msoShapeTypeMixed");
    case 3: return QStringLiteral("msoChart");
    case 4: return QStringLiteral("msoComment");
    case 5: return QStringLiteral("msoFreeform");
    case 6: return QStringLiteral("msoGroup");
    case 7: return QStringLiteral("msoEmbeddedOLEObject");
    case 8: return QStringLiteral("msoFormControl");
    case 9: return QStringLiteral("msoLine");
    case 10: return QStringLiteral("msoLinkedOLEObject");
    case 11: return QStringLiteral("msoLinkedPicture");
    case 12: return QStringLiteral("msoOLEControlObject");
    case 13: return QStringLiteral("msoPicture");
    case 14: return QStringLiteral("msoPlaceholder");
    case 15: return QStringLiteral("msoTextEffect");
    case 16: return QStringLiteral("msoMedia");
    case 17: return QStringLiteral("msoTextBox");
    default: return QStringLiteral("UnKnown");
    }
}
