#include "platform/office/ChangedSpans.h"

#include <algorithm>

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

QList<ChangedSpan> JoinedWithinRuns(QStringView before, const QList<ChangedSpan>& spans, const QList<qsizetype>& runStarts)
{
    QList<ChangedSpan> joined;
    for (const ChangedSpan& span : spans) {
        if (!joined.isEmpty()) {
            ChangedSpan& last = joined.last();
            const qsizetype end = last.start + last.length;
            const bool sameLengths = last.length == last.text.size() && span.length == span.text.size();
            const bool oneRun = std::none_of(runStarts.begin(), runStarts.end(),
                                             [&](qsizetype r) { return r > last.start && r <= span.start; });
            if (sameLengths && oneRun && end <= span.start) {
                last.text += before.mid(end, span.start - end);
                last.text += span.text;
                last.length = span.start + span.length - last.start;
                continue;
            }
        }
        joined.append(span);
    }
    return joined;
}

}  // namespace office
