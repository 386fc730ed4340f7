#include "platform/office/TextSpans.h"

#include "platform/office/ChangedSpans.h"

#include <com/sun/star/awt/FontSlant.hpp>
#include <com/sun/star/beans/UnknownPropertyException.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/XTextCursor.hpp>

#include <algorithm>

namespace office {

namespace {

using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using css::text::XText;
using css::text::XTextCursor;
using css::text::XTextRange;

constexpr QChar kObject(0xFFFC);
constexpr QChar kParagraphBreak(u'\n');

// A link's shown text is the user's: it is converted with the text around it.
void AddLinkText(const Reference<XTextRange>& portion, TextModel& model)
{
    try {
        Reference<css::lang::XServiceInfo> field(
            Reference<css::beans::XPropertySet>(portion, UNO_QUERY_THROW)->getPropertyValue("TextField"), UNO_QUERY);
        if (!field.is() || !field->supportsService("com.sun.star.text.textfield.URL"))
            return;
        rtl::OUString shown;
        Reference<css::beans::XPropertySet>(field, UNO_QUERY_THROW)->getPropertyValue("Representation") >>= shown;
        model.linkTexts.append(ToQString(shown));
    } catch (const css::beans::UnknownPropertyException&) {
    }
}

void AddParagraph(const Reference<XTextRange>& paragraph, TextModel& model)
{
    Reference<css::container::XEnumerationAccess> access(paragraph, UNO_QUERY);
    if (!access.is()) {
        const QString text = ToQString(paragraph->getString());
        if (!text.isEmpty())
            model.portions.append({paragraph, model.text.size(), text});
        model.text += text;
        return;
    }
    Reference<css::container::XEnumeration> e = access->createEnumeration();
    while (e->hasMoreElements()) {
        Reference<XTextRange> portion(e->nextElement(), UNO_QUERY);
        if (!portion.is())
            continue;
        if (PortionType(portion) == QLatin1String("Text")) {
            const QString text = ToQString(portion->getString());
            if (!text.isEmpty()) {
                model.portions.append({portion, model.text.size(), text});
                model.text += text;
            }
        } else {
            model.text += kObject;
            AddLinkText(portion, model);
        }
    }
}

struct Writer {
    Reference<XText> text;
    const TextModel& model;
    bool movesByCharacters;

    qsizetype Moves(QStringView part) const { return CursorMoves(part, movesByCharacters); }

    // A cursor at the model offset, inside the plain text portion that holds it.
    Reference<XTextCursor> CursorAt(qsizetype offset) const
    {
        const TextModel::Portion* holder = nullptr;
        for (const TextModel::Portion& portion : model.portions)
            if (portion.start <= offset && offset <= portion.start + portion.text.size()) {
                holder = &portion;
                if (offset < portion.start + portion.text.size())
                    break;
            }
        if (!holder)
            return {};
        Reference<XTextCursor> cursor = text->createTextCursorByRange(holder->range->getStart());
        GoRight(cursor, Moves(QStringView(holder->text).left(offset - holder->start)), false);
        return cursor;
    }

    // The new text takes the formatting of the span's first character: it goes in right
    // after that character (text put in takes the formatting before it), then the old
    // characters go.
    bool Replace(const ChangedSpan& span) const
    {
        Reference<XTextCursor> cursor = CursorAt(span.start);
        if (!cursor.is())
            return false;
        if (span.length == 0) {
            text->insertString(Reference<XTextRange>(cursor, UNO_QUERY_THROW), ToOUString(span.text), false);
            return true;
        }
        const QStringView old = QStringView(model.text).mid(span.start, span.length);
        const qsizetype first = old[0].isHighSurrogate() && old.size() > 1 ? 2 : 1;
        GoRight(cursor, Moves(old.left(first)), false);
        text->insertString(Reference<XTextRange>(cursor, UNO_QUERY_THROW), ToOUString(span.text), false);
        const qsizetype rest = Moves(old.mid(first));
        if (rest > 0) {
            cursor->collapseToEnd();
            GoRight(cursor, rest, true);
            cursor->setString(rtl::OUString());
        }
        Reference<XTextCursor> head = CursorAt(span.start);
        GoRight(head, Moves(old.left(first)), true);
        head->setString(rtl::OUString());
        return true;
    }
};

bool IsSeparator(QChar c) { return c == kObject || c == kParagraphBreak; }

// The spans of the model's text against its conversion, kept apart by the objects and the
// paragraph breaks; false when the conversion moved one of them.
bool SpansOf(const TextModel& model, const QString& converted, QList<ChangedSpan>& spans)
{
    QList<qsizetype> bounds;  // separator offsets, before and after alike
    QList<qsizetype> convertedBounds;
    for (qsizetype i = 0; i < model.text.size(); ++i)
        if (IsSeparator(model.text[i]))
            bounds.append(i);
    for (qsizetype i = 0; i < converted.size(); ++i)
        if (IsSeparator(converted[i]))
            convertedBounds.append(i);
    if (bounds.size() != convertedBounds.size())
        return false;
    for (qsizetype k = 0; k < bounds.size(); ++k)
        if (model.text[bounds[k]] != converted[convertedBounds[k]])
            return false;
    qsizetype from = 0, convertedFrom = 0;
    for (qsizetype k = 0; k <= bounds.size(); ++k) {
        const qsizetype to = k < bounds.size() ? bounds[k] : model.text.size();
        const qsizetype convertedTo = k < bounds.size() ? convertedBounds[k] : converted.size();
        QList<qsizetype> runStarts;
        for (const TextModel::Portion& portion : model.portions)
            if (portion.start >= from && portion.start <= to)
                runStarts.append(portion.start - from);
        const QStringView before = QStringView(model.text).mid(from, to - from);
        const QStringView after = QStringView(converted).mid(convertedFrom, convertedTo - convertedFrom);
        // Spans of one run go as one: each span costs the office several calls.
        for (ChangedSpan span : JoinedWithinRuns(before, ChangedSpans(before, after, runStarts), runStarts)) {
            span.start += from;
            spans.append(span);
        }
        from = to + 1;
        convertedFrom = convertedTo + 1;
    }
    return true;
}

}  // namespace

QString PortionType(const Reference<XTextRange>& portion)
{
    Reference<css::beans::XPropertySet> properties(portion, UNO_QUERY);
    if (!properties.is())
        return QStringLiteral("Text");
    try {
        rtl::OUString type;
        properties->getPropertyValue("TextPortionType") >>= type;
        return type.isEmpty() ? QStringLiteral("Text") : ToQString(type);
    } catch (const css::beans::UnknownPropertyException&) {
        return QStringLiteral("Text");
    }
}

void GoRight(const Reference<XTextCursor>& cursor, qsizetype n, bool expand)
{
    while (n > 0) {
        const qsizetype step = std::min<qsizetype>(n, 0x7FFF);
        cursor->goRight(sal_Int16(step), expand);
        n -= step;
    }
}

qsizetype CursorMoves(QStringView part, bool movesByCharacters)
{
    if (!movesByCharacters)
        return part.size();
    return std::count_if(part.begin(), part.end(), [](QChar c) { return !c.isLowSurrogate(); });
}

QString RunStyleOf(const Reference<XTextRange>& portion, const QString& text)
{
    Reference<css::beans::XPropertySet> properties(portion, UNO_QUERY_THROW);
    float weight = 0, asianWeight = 0;
    properties->getPropertyValue("CharWeight") >>= weight;
    properties->getPropertyValue("CharWeightAsian") >>= asianWeight;
    css::awt::FontSlant slant = css::awt::FontSlant_NONE, asianSlant = css::awt::FontSlant_NONE;
    properties->getPropertyValue("CharPosture") >>= slant;
    properties->getPropertyValue("CharPostureAsian") >>= asianSlant;
    return text + (std::max(weight, asianWeight) > 100.f ? QStringLiteral("|b") : QString()) +
           (slant != css::awt::FontSlant_NONE || asianSlant != css::awt::FontSlant_NONE ? QStringLiteral("|i") : QString());
}

TextModel ModelOfText(const Reference<XText>& text)
{
    TextModel model;
    Reference<css::container::XEnumerationAccess> access(text, UNO_QUERY_THROW);
    Reference<css::container::XEnumeration> e = access->createEnumeration();
    bool first = true;
    while (e->hasMoreElements()) {
        Reference<XTextRange> paragraph(e->nextElement(), UNO_QUERY);
        if (!paragraph.is())
            continue;
        if (!first)
            model.text += kParagraphBreak;
        first = false;
        AddParagraph(paragraph, model);
    }
    return model;
}

QStringList RunStylesOf(const Reference<XText>& text)
{
    QStringList runs;
    const TextModel model = ModelOfText(text);
    runs.append(QStringList(model.text.count(kObject), QString(kObject)));
    for (const TextModel::Portion& portion : model.portions)
        runs.append(RunStyleOf(portion.range, portion.text));
    return runs;
}

void WriteConvertedText(const Reference<XText>& text, const QString& before, const QString& after,
                        const TextConversion& convert, bool movesByCharacters)
{
    if (after == before)
        return;
    WriteConvertedText(text, ModelOfText(text), before, after, convert, movesByCharacters);
}

void WriteConvertedText(const Reference<XText>& text, TextModel model, const QString& before, const QString& after,
                        const TextConversion& convert, bool movesByCharacters)
{
    if (after == before)
        return;
    // A text in one run of one paragraph has nothing to keep apart: it is written whole,
    // which costs the office far less than stretch by stretch. (The portions are let go
    // first: the office does not outlive a write under them well.)
    if (model.text == before && model.portions.size() == 1 && model.portions.first().text == before &&
        !before.contains(kParagraphBreak)) {
        model = {};
        text->setString(ToOUString(after));
        return;
    }
    const auto linkChanges = [&] {
        return std::any_of(model.linkTexts.begin(), model.linkTexts.end(), [&](const QString& shown) {
            if (!convert)
                return true;
            const QString converted = convert(shown);
            return !converted.isNull() && converted != shown;
        });
    };
    QString converted;
    if (model.text == before)
        converted = after;
    else if (convert && !linkChanges()) {
        converted = convert(model.text);
        if (converted.isNull())
            converted = model.text;
    }
    QList<ChangedSpan> spans;
    if (converted.isNull() || !SpansOf(model, converted, spans)) {
        text->setString(ToOUString(after));
        return;
    }
    std::sort(spans.begin(), spans.end(), [](const ChangedSpan& a, const ChangedSpan& b) { return a.start > b.start; });
    const Writer writer{text, model, movesByCharacters};
    for (const ChangedSpan& span : spans)
        if (!writer.Replace(span)) {
            // A span out of every portion: nothing of the text can be trusted to be placed.
            throw css::uno::RuntimeException("a changed stretch lies outside the text's portions");
        }
}

}  // namespace office
