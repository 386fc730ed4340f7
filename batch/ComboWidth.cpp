#include "batch/ComboWidth.h"

#include "resources/StringTable.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

void FitComboToStrings(QComboBox* combo, const QList<int>& stringIds)
{
    const QFontMetrics metrics = combo->fontMetrics();
    int textWidth = 0;
    for (int id : stringIds)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(LoadResString(id)));
    QStyleOptionComboBox option;
    option.initFrom(combo);
    const QSize contents(textWidth + metrics.averageCharWidth(), metrics.height());
    const QSize size = combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, combo);
    combo->setMinimumWidth(std::max(combo->minimumWidth(), size.width()));
}

void FitPhraseConv(QComboBox* cbPhraseConv)
{
    FitComboToStrings(cbPhraseConv, {6001, 6002, 6003, 6004});
}
