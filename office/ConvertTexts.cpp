#include "office/ConvertTexts.h"

#include "core/ConvertOptions.h"

namespace {

// A private-use character: no document text holds it, so it can part texts joined for one
// conversion; texts that do hold it are converted one by one.
constexpr QChar kSeparator(0xE000);

QString ConvertOne(const QString& text, int& failures)
{
    if (text.isEmpty())
        return text;
    const QString converted = ConvertUString(text, giConvType, giConvOption);
    if (converted.isEmpty()) {
        ++failures;
        return text;
    }
    return converted;
}

QStringList ConvertOneByOne(const QStringList& texts, int& failures)
{
    QStringList result;
    result.reserve(texts.size());
    for (const QString& text : texts)
        result.append(ConvertOne(text, failures));
    return result;
}

}  // namespace

QStringList ConvertTexts(const QStringList& texts, int& failures)
{
    if (texts.size() < 2)
        return ConvertOneByOne(texts, failures);
    for (const QString& text : texts)
        if (text.contains(kSeparator))
            return ConvertOneByOne(texts, failures);
    const QString joined = texts.join(kSeparator);
    const QString converted = ConvertUString(joined, giConvType, giConvOption);
    const QStringList pieces = converted.split(kSeparator);
    // A conversion that lost or added a separator cannot be split back: convert each alone.
    if (converted.isEmpty() || pieces.size() != texts.size())
        return ConvertOneByOne(texts, failures);
    QStringList result;
    result.reserve(texts.size());
    for (int i = 0; i < texts.size(); ++i)
        result.append(pieces.at(i).isEmpty() && !texts.at(i).isEmpty() ? ConvertOne(texts.at(i), failures) : pieces.at(i));
    return result;
}
