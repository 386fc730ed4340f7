#pragma once
// The stories of a loaded text document, shared by the operations on them: the body (with
// its tables), every page style's headers and footers (left and first-page ones where kept
// apart), the text frames, the drawing shapes' own texts (those inside groups too), the
// footnotes and the endnotes.
#include "platform/office/UnoSession.h"

#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextTable.hpp>

#include <QList>

namespace office {

// Stories the document-wide replacement reaches (body, tables, headers, footers, frames) and
// those it does not (the drawing shapes' own texts); the notes; every table of the document.
struct Stories {
    QList<Reference<css::text::XText>> replaceable;
    QList<Reference<css::text::XText>> shapes;
    QList<Reference<css::text::XText>> notes;
    QList<Reference<css::text::XTextTable>> tables;
};

Stories StoriesOf(const Reference<css::lang::XComponent>& component);
// The document's stories, found on first use and kept with the document.
const Stories& StoriesOf(OfficeDocument::Impl& document);

// Every cell of the table, as a text.
QList<Reference<css::text::XText>> CellTexts(const Reference<css::text::XTextTable>& table);

}  // namespace office
