#pragma once
// Output names of the rows a list filler adds: new numbered names beside the input (own-folder
// setting) or the input's name in the output folder (another-folder setting). Two rows never
// write one file and no row writes an input: a new output avoids every output planned earlier
// in the same addition and every path already in the grid.
#include "batch/FileListWalk.h"

#include <QSet>
#include <QString>

class FlexGrid;

// The paths a new output must not take: the outputs one addition planned so far, the outputs
// and inputs of every data row of the grid it adds to (columns 3 and 2), and the inputs of the
// addition itself, so that no output ever replaces an input. Look-ups are hashed.
class OutputPlan {
public:
    explicit OutputPlan(const FlexGrid* grid = nullptr);
    bool isTaken(const QString& output) const { return m_planned.contains(output) || m_reserved.contains(output); }
    void add(const QString& output) { m_planned.append(output); }
    void addInput(const QString& input) { m_reserved.insert(input); }
    const PathCollection& planned() const { return m_planned; }

private:
    PathCollection m_planned;
    QSet<QString> m_reserved;
};

// The text of path up to and including its last "/"; "" when it has none.
QString GetFileDir(const QString& path);

// A new bare name for the output of the input named name in folder (own-folder setting):
// stem & n & extension for the first n = 1, 2 … that names no entry in folder and that
// planned does not hold. With toDoc (a row that takes the word-processor route), the extension becomes
// ".doc".
QString MakeOutputFileName(const QString& name, const OutputPlan& planned, const QString& folder, bool toDoc);

// base & n for the first n = 1, 2 … that planned does not hold (and, with onDisk, that names
// no entry on disk): the numbered output folder of a folder row.
QString NumberedFolder(const QString& base, const OutputPlan& planned, bool onDisk);

// output itself when planned does not hold it; otherwise stem & n & extension of its bare
// name for the first n = 1, 2 … that planned does not hold (another-folder setting; files on
// disk there are earlier outputs, overwritten by design).
QString UniqueOutputPath(const QString& output, const OutputPlan& planned);
