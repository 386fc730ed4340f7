#include "platform/office/ChangedSpans.h"

namespace office {

QList<ChangedSpan> ChangedSpans(QStringView before, QStringView after, const QList<qsizetype>& runStarts)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    // A surrogate pair stays whole: the common beginning ends before a high surrogate ...
    if (prefix > 0 && before[prefix - 1].isHighSurrogate())
        --prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    // ... and the common end does not start with a low surrogate.
    if (suffix > 0 && before[before.size() - suffix].isLowSurrogate())
        --suffix;
    const qsizetype beforeLength = before.size() - prefix - suffix;
    const qsizetype afterLength = after.size() - prefix - suffix;
    if (beforeLength == 0 && afterLength == 0)
        return {};
    if (beforeLength != afterLength)
        return {ChangedSpan{prefix, beforeLength, after.mid(prefix, afterLength).toString()}};

    QList<ChangedSpan> spans;
    const auto runStartsAt = [&](qsizetype i) { return runStarts.contains(i); };
    qsizetype i = prefix;
    const qsizetype end = prefix + beforeLength;
    while (i < end) {
        if (before[i] == after[i] && !(before[i].isHighSurrogate() && i + 1 < end && before[i + 1] != after[i + 1])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        do {
            i += (before[i].isHighSurrogate() && i + 1 < end) ? 2 : 1;
        } while (i < end && !runStartsAt(i) &&
                 (before[i] != after[i] || (before[i].isHighSurrogate() && i + 1 < end && before[i + 1] != after[i + 1])));
        spans.append({start, i - start, after.mid(start, i - start).toString()});
    }
    return spans;
}

}  // namespace office
