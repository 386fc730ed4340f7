#pragma once
// A file a route writes between two steps, beside the output: a name no file had (made empty
// and exclusively when the object is made), deleted when the object ends, also after a
// failure.
#include <QString>

class IntermediateFile {
public:
    // outputPath & suffix, or outputPath & "." & n & suffix for the first n that is free.
    // Raises a RuntimeError when no such file can be made.
    IntermediateFile(const QString& outputPath, const QString& suffix);
    ~IntermediateFile();
    IntermediateFile(const IntermediateFile&) = delete;
    IntermediateFile& operator=(const IntermediateFile&) = delete;

    const QString& path() const { return m_path; }
    // Renames the file over target (it no longer needs deleting); raises on failure.
    void MoveOver(const QString& target);

private:
    QString m_path;
};
