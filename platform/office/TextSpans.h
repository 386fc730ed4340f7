#pragma once
// Inside the office layer only: a converted text written into a text of the office (a drawing
// shape's, a slide's table cell's, a sheet cell's) stretch by stretch, so that every
// character the conversion did not change keeps its formatting and a changed character keeps
// the formatting of the run it stands in.
#include "platform/office/UnoSession.h"

#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include <QList>
#include <QString>

namespace office {

// A text as its paragraphs and portions give it: its plain text portions, U+FFFC for each
// object in it (a field), the paragraphs joined by '\n'.
struct TextModel {
    struct Portion {
        Reference<css::text::XTextRange> range;
        qsizetype start = 0;  // in text
        QString text;
    };
    QString text;
    QList<Portion> portions;
    // The shown texts of its links (fields that show the user's text, not a value).
    QStringList linkTexts;
};

TextModel ModelOfText(const Reference<css::text::XText>& text);

// A text portion's kind ("Text" for plain text, else a field's, a mark's, ...).
QString PortionType(const Reference<css::text::XTextRange>& portion);
// Moves the cursor right by n steps (the office takes at most 32767 in one call).
void GoRight(const Reference<css::text::XTextCursor>& cursor, qsizetype n, bool expand);
// The cursor steps over part: one a character where the text moves by characters (a surrogate
// pair is one), else one a UTF-16 unit.
qsizetype CursorMoves(QStringView part, bool movesByCharacters);
// A run's text followed by "|b" when bold and "|i" when italic (in its Western or its Asian font).
QString RunStyleOf(const Reference<css::text::XTextRange>& portion, const QString& text);

// The text's objects, each as U+FFFC, then its runs of plain text, each as its text followed
// by "|b" when bold and "|i" when italic (in its Western or its Asian font).
QStringList RunStylesOf(const Reference<css::text::XText>& text);

// Writes after, the conversion of before (the text's whole string as read), into text: only
// the changed stretches are replaced. Where the text holds objects, its string shows their
// contents where its model holds U+FFFC: then the model's text is converted by convert and
// its stretches are written, the objects staying as they are. Where that cannot be done (no
// convert, a link whose shown text the conversion changes, or a conversion that moved an
// object or a paragraph break) the whole text is replaced by after. movesByCharacters: the text's cursor counts a surrogate pair as one step (else by
// UTF-16 units, as the drawing layer's texts do).
void WriteConvertedText(const Reference<css::text::XText>& text, const QString& before, const QString& after,
                        const TextConversion& convert = {}, bool movesByCharacters = false);
// The same with the text's model read already (before any text near it was written).
void WriteConvertedText(const Reference<css::text::XText>& text, TextModel model, const QString& before,
                        const QString& after, const TextConversion& convert = {}, bool movesByCharacters = false);

}  // namespace office
