#pragma once
// The six file-list windows by form name, with the Window-menu item that shows each.
#include "batch/frmDocConv.h"
#include "batch/frmHtmlConv.h"
#include "batch/frmPathConv.h"
#include "batch/frmPptConv.h"
#include "batch/frmSpecConv.h"
#include "batch/frmXlsConv.h"

#include <QString>
#include <QTest>

inline FileListWindow& ListWindow(const QString& form)
{
    if (form == QLatin1String("frmXlsConv"))
        return frmXlsConv();
    if (form == QLatin1String("frmPptConv"))
        return frmPptConv();
    if (form == QLatin1String("frmHtmlConv"))
        return frmHtmlConv();
    if (form == QLatin1String("frmPathConv"))
        return frmPathConv();
    if (form == QLatin1String("frmSpecConv"))
        return frmSpecConv();
    return frmDocConv();
}

// One data row per window: form name and Window-menu command.
inline void AddListWindowRows()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("windowCommand");
    QTest::newRow("Word") << QStringLiteral("frmDocConv") << QStringLiteral("IDM_WINDOW_DOCCONVERT");
    QTest::newRow("Excel") << QStringLiteral("frmXlsConv") << QStringLiteral("IDM_WINDOW_XLSCONVERT");
    QTest::newRow("PowerPoint") << QStringLiteral("frmPptConv") << QStringLiteral("IDM_WINDOW_PPTCONVERT");
    QTest::newRow("HTML") << QStringLiteral("frmHtmlConv") << QStringLiteral("IDM_WINDOW_HTMLCONVERT");
    QTest::newRow("folder") << QStringLiteral("frmPathConv") << QStringLiteral("IDM_WINDOW_PATHCONVERT");
    QTest::newRow("encoding pair") << QStringLiteral("frmSpecConv") << QStringLiteral("IDM_WINDOW_SPECCONVERT");
}
