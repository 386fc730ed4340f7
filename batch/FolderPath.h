#pragma once
// Path text as the batch lists write it: folders carry no trailing "/" (the root excepted)
// and a folder and a name are joined with exactly one "/".
#include <QString>

// The path without its trailing "/" characters; "/" stays "/".
QString WithoutTrailingSlash(const QString& path);

// folder, "/" and name with exactly one "/" between them; name alone when folder is empty.
QString JoinPath(const QString& folder, const QString& name);

// The last component of a path (after its trailing "/" are stripped); "" for the root.
QString LastPathComponent(const QString& path);

// A bare file name split for numbering: the stem and the extension with its dot. The last "."
// starts the extension when it stands after the first character; otherwise there is none.
struct SplitName {
    QString stem;
    QString extension; // "" or "." followed by the text after the last dot
};
SplitName SplitFileName(const QString& name);
