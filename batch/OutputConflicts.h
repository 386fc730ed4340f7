#pragma once
// Where an output would write over an input: the checks of the list windows' dialogs (by
// path, as outputs need not exist yet) and the run-time check of every output against every
// input of a run (by file identity, so that links and hard links count).
#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <utility>

class FlexGrid;

// The inputs (column 2) and outputs (column 3) of a grid's data rows, but row skip.
QStringList RowInputs(const FlexGrid* grid, int skip = -1);
QStringList RowOutputs(const FlexGrid* grid, int skip = -1);

// Why output cannot be the output of the file row reading ownInput, with the other rows'
// inputs: it is one of these inputs. "" when it can.
QString FileOutputConflict(const QString& output, const QString& ownInput, const QStringList& otherInputs);

// Why output cannot be the output folder of the folder row reading ownInput: it lies in the
// tree of a row's input folder, or above an input folder so that the mirrored tree of
// ownInput lands in it ("/p/in" to "/p" with a sub-folder "/p/in/in"). "" when it can.
QString FolderOutputConflict(const QString& output, const QString& ownInput, const QStringList& otherInputs);

// Why a folder cannot be added as an input: it is, or lies in or above, a row's output. ""
// when it can.
QString FolderInputConflict(const QString& input, const QStringList& outputs);

// The inputs of one run by file identity. An output that is one of them, and no output the
// run wrote itself, must not be written.
class RunInputs {
public:
    void add(const QString& input) { addNative(nativeOf(input)); }
    void addNative(const QByteArray& input);
    // Whether output names an existing file that is an input of the run (the run's own
    // earlier outputs excepted).
    bool holds(const QString& output) const { return holdsNative(nativeOf(output)); }
    bool holdsNative(const QByteArray& output) const;
    // Remembers a file the run has written.
    void noteWritten(const QString& output) { noteWrittenNative(nativeOf(output)); }
    void noteWrittenNative(const QByteArray& output);

private:
    static QByteArray nativeOf(const QString& path);
    using Identity = std::pair<unsigned long long, unsigned long long>;
    QSet<Identity> m_inputs;
    QSet<Identity> m_written;
};
