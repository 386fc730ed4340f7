// A text document's texts converted in place: every paragraph of every story is read, all of
// them are converted at once, and in each paragraph that changed only the changed stretches
// are replaced, so the formatting of every other character stays. Fields, footnote anchors
// and other objects inside a paragraph stay as they are.
#include "platform/office/ChangedSpans.h"
#include "platform/office/EditLock.h"
#include "platform/office/OfficeDocument.h"
#include "platform/office/TextSpans.h"
#include "platform/office/TextStories.h"
#include "platform/office/UnoSession.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/XEndnotesSupplier.hpp>
#include <com/sun/star/text/XFootnotesSupplier.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextFieldsSupplier.hpp>
#include <com/sun/star/text/XTextFramesSupplier.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/text/XTextTable.hpp>

#include <algorithm>

namespace office {

namespace {

using css::uno::Any;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using css::text::XText;
using css::text::XTextRange;

// Stands in a paragraph's text for what is not plain text (a field, a footnote anchor, a
// frame anchored as a character): no conversion changes it, so no changed stretch reaches
// into such an object.
constexpr QChar kObject(0xFFFC);

struct Story {
    Reference<XText> text;
    // The word processor's cursors move by characters; a shape's text by UTF-16 units.
    bool movesByCharacters = true;
};

struct Paragraph {
    Story story;
    Reference<XTextRange> range;
    QString text;
};

// Every story: body, headers, footers, frames, shapes' texts, footnotes, endnotes.
QList<Story> AllStories(OfficeDocument::Impl& document)
{
    const Stories& stories = StoriesOf(document);
    QList<Story> all;
    for (const Reference<XText>& text : stories.replaceable)
        all.append({text, true});
    for (const Reference<XText>& text : stories.shapes)
        all.append({text, false});
    for (const Reference<XText>& text : stories.notes)
        all.append({text, true});
    return all;
}

// The comments. Their text is written through the field's content: an edit of the text range
// the field hands out does not reach the document.
QList<Reference<css::beans::XPropertySet>> Comments(const Reference<css::lang::XComponent>& component)
{
    QList<Reference<css::beans::XPropertySet>> comments;
    Reference<css::text::XTextFieldsSupplier> fields(component, UNO_QUERY);
    if (!fields.is())
        return comments;
    Reference<css::container::XEnumeration> e = fields->getTextFields()->createEnumeration();
    while (e->hasMoreElements()) {
        Reference<css::lang::XServiceInfo> field(e->nextElement(), UNO_QUERY);
        if (field.is() && field->supportsService("com.sun.star.text.textfield.Annotation"))
            comments.append(Reference<css::beans::XPropertySet>(field, UNO_QUERY_THROW));
    }
    return comments;
}

// The paragraphs of a story, those of its tables' cells (nested tables too) in their place.
void CollectParagraphs(const Story& story, QList<Paragraph>& paragraphs)
{
    Reference<css::container::XEnumerationAccess> access(story.text, UNO_QUERY);
    if (!access.is())
        return;
    Reference<css::container::XEnumeration> e = access->createEnumeration();
    while (e->hasMoreElements()) {
        // A paragraph is a text range, a table is not: asked in that order, a paragraph costs
        // one question.
        const Any element = e->nextElement();
        Reference<XTextRange> range(element, UNO_QUERY);
        if (range.is()) {
            paragraphs.append({story, range, ToQString(range->getString())});
            continue;
        }
        Reference<css::text::XTextTable> table(element, UNO_QUERY);
        if (table.is())
            for (const Reference<XText>& cell : CellTexts(table))
                CollectParagraphs({cell, story.movesByCharacters}, paragraphs);
    }
}

// A paragraph as its portions give it: the plain text portions with what stands between them.
struct Portion {
    Reference<XTextRange> range;
    qsizetype start = 0;  // in the paragraph's model text
    QString text;
};
struct ParagraphModel {
    QString text;            // plain text, kObject for each object
    QList<Portion> portions; // the plain text portions
};

// Marks that take no place in the text (a bookmark, a soft page break) leave the text whole.
bool TakesNoPlace(const QString& type)
{
    static const QStringList kinds{QStringLiteral("Bookmark"), QStringLiteral("ReferenceMark"),
                                   QStringLiteral("DocumentIndexMark"), QStringLiteral("SoftPageBreak"),
                                   QStringLiteral("Redline")};
    return kinds.contains(type);
}

ParagraphModel ModelOf(const Reference<XTextRange>& paragraph)
{
    ParagraphModel model;
    Reference<css::container::XEnumerationAccess> access(paragraph, UNO_QUERY_THROW);
    Reference<css::container::XEnumeration> e = access->createEnumeration();
    while (e->hasMoreElements()) {
        Reference<XTextRange> portion(e->nextElement(), UNO_QUERY);
        if (!portion.is())
            continue;
        const QString type = PortionType(portion);
        if (type == QLatin1String("Text")) {
            const QString text = ToQString(portion->getString());
            if (!text.isEmpty()) {
                model.portions.append({portion, model.text.size(), text});
                model.text += text;
            }
        } else if (!TakesNoPlace(type)) {
            model.text += kObject;
        }
    }
    return model;
}

// Moves the cursor left by n characters (more than one call can move).
void GoLeft(const Reference<css::text::XTextCursor>& cursor, qsizetype n, bool expand)
{
    while (n > 0) {
        const qsizetype step = std::min<qsizetype>(n, 0x7FFF);
        cursor->goLeft(sal_Int16(step), expand);
        n -= step;
    }
}

qsizetype Moves(const Story& story, QStringView text) { return CursorMoves(text, story.movesByCharacters); }

// A cursor at the model offset, inside the plain text portion that holds it.
Reference<css::text::XTextCursor> CursorAt(const Story& story, const ParagraphModel& model, qsizetype offset)
{
    const Portion* holder = nullptr;
    for (const Portion& portion : model.portions)
        if (portion.start <= offset && offset <= portion.start + portion.text.size()) {
            holder = &portion;
            if (offset < portion.start + portion.text.size())
                break;
        }
    if (!holder)
        return {};
    Reference<css::text::XTextCursor> cursor = story.text->createTextCursorByRange(holder->range->getStart());
    const qsizetype moves = Moves(story, QStringView(holder->text).left(offset - holder->start));
    GoRight(cursor, moves, false);
    return cursor;
}

// Replaces the span; the new text takes the formatting of the span's first character: it is
// put in right after that character (text put in takes the formatting before it), then the
// old characters after it go, and last the first one. One cursor does it all.
bool Replace(const Story& story, const ParagraphModel& model, const ChangedSpan& span)
{
    if (span.length == 0) {
        Reference<css::text::XTextCursor> cursor = CursorAt(story, model, span.start);
        if (!cursor.is())
            return false;
        story.text->insertString(Reference<XTextRange>(cursor.get()), ToOUString(span.text), false);
        return true;
    }
    const QStringView old = QStringView(model.text).mid(span.start, span.length);
    const qsizetype first = old[0].isHighSurrogate() && old.size() > 1 ? 2 : 1;
    Reference<css::text::XTextCursor> cursor = CursorAt(story, model, span.start + first);
    if (!cursor.is())
        return false;
    story.text->insertString(Reference<XTextRange>(cursor.get()), ToOUString(span.text), false);
    cursor->collapseToEnd();
    const qsizetype rest = Moves(story, old.mid(first));
    if (rest > 0) {
        GoRight(cursor, rest, true);
        cursor->setString(rtl::OUString());
    }
    GoLeft(cursor, Moves(story, span.text), false);
    GoLeft(cursor, Moves(story, old.left(first)), true);
    cursor->setString(rtl::OUString());
    return true;
}

// The spans of a paragraph's model text against its converted text, kept apart by the
// objects in it; false when the conversion moved an object.
bool SpansBetweenObjects(const ParagraphModel& model, const QString& converted, QList<ChangedSpan>& spans)
{
    const QList<QStringView> before = QStringView(model.text).split(kObject);
    const QList<QStringView> after = QStringView(converted).split(kObject);
    if (before.size() != after.size())
        return false;
    QList<qsizetype> runStarts;
    for (const Portion& portion : model.portions)
        runStarts.append(portion.start);
    qsizetype offset = 0;
    for (qsizetype i = 0; i < before.size(); ++i) {
        QList<qsizetype> localStarts;
        for (qsizetype start : runStarts)
            if (start >= offset && start <= offset + before[i].size())
                localStarts.append(start - offset);
        for (ChangedSpan span : JoinedWithinRuns(before[i], ChangedSpans(before[i], after[i], localStarts), localStarts)) {
            span.start += offset;
            spans.append(span);
        }
        offset += before[i].size() + 1;
    }
    return true;
}

}  // namespace

int OfficeDocument::ConvertStoryTexts(const std::function<QStringList(const QStringList&)>& convert)
{
    if (!IsOpen())
        throw OfficeError(OfficeFailure::NotRunning, QStringLiteral("The document is no longer open: ") + Path());
    return m_impl->suite->Call(OfficeFailure::CallFailed, QStringLiteral("Convert texts of ") + Path(), [&] {
        QList<Paragraph> paragraphs;
        for (const Story& story : AllStories(*m_impl))
            CollectParagraphs(story, paragraphs);
        const QList<Reference<css::beans::XPropertySet>> comments = Comments(m_impl->component);
        QStringList texts;
        texts.reserve(paragraphs.size() + comments.size());
        for (const Paragraph& paragraph : paragraphs)
            texts.append(paragraph.text);
        for (const Reference<css::beans::XPropertySet>& comment : comments) {
            rtl::OUString content;
            comment->getPropertyValue("Content") >>= content;
            texts.append(ToQString(content));
        }
        QStringList converted = convert(texts);
        if (converted.size() != texts.size())
            throw css::uno::RuntimeException("the conversion lost texts");
        if (converted == texts)
            return 0;
        const EditLock lock(m_impl->component);
        for (qsizetype c = 0; c < comments.size(); ++c) {
            const qsizetype i = paragraphs.size() + c;
            if (converted.at(i) != texts.at(i))
                comments.at(c)->setPropertyValue("Content", Any(ToOUString(converted.at(i))));
        }
        texts.resize(paragraphs.size());
        converted.resize(paragraphs.size());

        // The paragraphs that change, as their portions give them; those holding objects are
        // converted once more without the objects' texts.
        QList<qsizetype> changed;
        QList<ParagraphModel> models;
        QStringList modelTexts;
        QList<qsizetype> reconvert;
        for (qsizetype i = 0; i < paragraphs.size(); ++i) {
            if (converted.at(i) == texts.at(i))
                continue;
            changed.append(i);
            models.append(ModelOf(paragraphs.at(i).range));
            modelTexts.append(models.last().text == texts.at(i) ? converted.at(i) : QString());
            if (models.last().text != texts.at(i))
                reconvert.append(models.size() - 1);
        }
        if (!reconvert.isEmpty()) {
            QStringList again;
            for (qsizetype m : reconvert)
                again.append(models.at(m).text);
            const QStringList done = convert(again);
            for (qsizetype k = 0; k < reconvert.size() && k < done.size(); ++k)
                modelTexts[reconvert.at(k)] = done.at(k);
        }
        int unchanged = 0;
        for (qsizetype m = 0; m < changed.size(); ++m) {
            const Paragraph& paragraph = paragraphs.at(changed.at(m));
            QList<ChangedSpan> spans;
            if (!SpansBetweenObjects(models.at(m), modelTexts.at(m), spans)) {
                ++unchanged;
                continue;
            }
            std::sort(spans.begin(), spans.end(), [](const ChangedSpan& a, const ChangedSpan& b) { return a.start > b.start; });
            for (const ChangedSpan& span : spans)
                if (!Replace(paragraph.story, models.at(m), span))
                    ++unchanged;
        }
        return unchanged;
    });
}

OfficeDocument::TextDocumentParts OfficeDocument::Parts() const
{
    if (!IsOpen())
        throw OfficeError(OfficeFailure::NotRunning, QStringLiteral("The document is no longer open: ") + Path());
    return m_impl->suite->Call(OfficeFailure::CallFailed, QStringLiteral("Parts of ") + Path(), [&] {
        const Reference<css::lang::XComponent>& component = m_impl->component;
        const Stories& stories = StoriesOf(*m_impl);
        TextDocumentParts parts;
        parts.tables = int(stories.tables.size());
        parts.shapes = int(stories.shapes.size());
        Reference<css::text::XTextFramesSupplier> frames(component, UNO_QUERY_THROW);
        parts.frames = int(Reference<css::container::XIndexAccess>(frames->getTextFrames(), UNO_QUERY_THROW)->getCount());
        parts.footnotes = int(Reference<css::text::XFootnotesSupplier>(component, UNO_QUERY_THROW)->getFootnotes()->getCount());
        parts.endnotes = int(Reference<css::text::XEndnotesSupplier>(component, UNO_QUERY_THROW)->getEndnotes()->getCount());
        Reference<css::container::XEnumeration> e =
            Reference<css::text::XTextFieldsSupplier>(component, UNO_QUERY_THROW)->getTextFields()->createEnumeration();
        while (e->hasMoreElements()) {
            Reference<css::lang::XServiceInfo> field(e->nextElement(), UNO_QUERY);
            if (field.is() && field->supportsService("com.sun.star.text.textfield.Annotation"))
                ++parts.comments;
        }
        return parts;
    });
}

QStringList OfficeDocument::BodyRunStyles() const
{
    if (!IsOpen())
        throw OfficeError(OfficeFailure::NotRunning, QStringLiteral("The document is no longer open: ") + Path());
    return m_impl->suite->Call(OfficeFailure::CallFailed, QStringLiteral("Run styles of ") + Path(), [&] {
        QList<Paragraph> paragraphs;
        CollectParagraphs({Reference<css::text::XTextDocument>(m_impl->component, UNO_QUERY_THROW)->getText(), true},
                          paragraphs);
        QStringList runs;
        for (const Paragraph& paragraph : paragraphs)
            for (const Portion& portion : ModelOf(paragraph.range).portions)
                runs.append(RunStyleOf(portion.range, portion.text));
        return runs;
    });
}

}  // namespace office
