#pragma once
// The stretches of a text that a rewritten text changes, so that only they are replaced in a
// document and the formatting of every character around them stays.
#include <QList>
#include <QString>
#include <QStringView>

namespace office {

// before[start, start + length) is to be replaced by text.
struct ChangedSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    QString text;
    bool operator==(const ChangedSpan&) const = default;
};

// The spans that turn before into after, left to right, offsets into before. The common
// beginning and end stay. Where what lies between has the same length in both, characters
// are aligned one to one and each stretch of changed characters is a span of its own, split
// where a run of formatting starts (runStarts: offsets into before), so each character keeps
// its run's formatting. Where the lengths differ, the stretch between is one span, which takes
// the formatting of its first character. No span splits a surrogate pair.
QList<ChangedSpan> ChangedSpans(QStringView before, QStringView after, const QList<qsizetype>& runStarts = {});

// The spans joined into one wherever no run of formatting starts between them and each keeps
// its length, so that a document takes one replacement per run instead of one per changed
// stretch: the characters between them are written again as they are, in the same run.
QList<ChangedSpan> JoinedWithinRuns(QStringView before, const QList<ChangedSpan>& spans,
                                    const QList<qsizetype>& runStarts = {});

}  // namespace office
