#pragma once
// The extension lists that decide the type of a file-list row, and the file grids' shared
// type and failure pictures.
#include "platform/GridPicture.h"

#include <QString>
#include <QStringList>

// Bare extensions (no dot, no wildcard), compared without regard to case.
extern QStringList gcolHtmlExt; // HTML rows of the HTML and folder-tree windows
extern QStringList gcolTextExt; // text rows
extern QStringList gcolWordExt; // documents converted through the word processor
extern QStringList gcolXlsExt;  // workbooks
extern QStringList gcolPptExt;  // presentations
extern QStringList gcolNoExt;   // always empty: matches no file

// The file grids' pictures, loaded once by InitFileTypes.
extern GridPicture gPicFailed;
extern GridPicture gPicTypeTxt;
extern GridPicture gPicTypeDoc;
extern GridPicture gPicTypeXls;
extern GridPicture gPicTypePpt;
extern GridPicture gPicTypeOther;

// Fills the extension lists with their start-up contents and loads the pictures. A missing
// picture resource throws RuntimeError.
void InitFileTypes();

// Empties list and refills it from an extension text such as "*.htm\r\n*.html": tokens are
// separated by runs of ";", ",", blanks and line breaks; each token adds the text after its
// first "*.", or, without one, the token less its first character (".htm" gives "htm").
// A text that begins with a separator yields one empty token first.
void ParseExtList(QStringList& list, const QString& text);

// True when the extension of name (the text after its last ".") equals an item of list,
// case ignored. With lookUp, name is first replaced by the bare name of the file it names,
// or by nothing when no such file exists, so a missing file is in no list.
bool IsExtInList(const QString& name, const QStringList& list, bool lookUp);
