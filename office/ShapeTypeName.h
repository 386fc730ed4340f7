#pragma once
#include <QString>

// The name of an Office shape type code ("UnKnown" for a code without one); the workbook and
// presentation converters decide a shape's handling by this name.
QString ShapeTypeName(int typeCode);
