#pragma once
// The routes one file takes, shared by the row runs and the folder-tree run. Each writes the
// output whole or not at all and raises a RuntimeError naming the file when it fails.
#include "batch/InOrderRun.h"

#include <QString>

#include <cstdint>

struct FileRowJob;

// The library's whole-file conversion by the four flags (on the worker thread).
void ConvertTextFile(const QString& input, const QString& output, bool bCode, bool bPhrase, bool bB52GB, bool bL2R,
                     int32_t tag);

// The library's whole-file conversion with a type and option (on the worker thread).
void ConvertFileTyped(const QString& input, const QString& output, int32_t type, int32_t option, int32_t flag);

// An unchanged copy via a temporary file (on the worker thread).
void CopyUnchanged(const QString& input, const QString& output);

// A Word document converted by ConvertDOC in one load and one store: its text in every story
// by the library's string conversion with the four flags, the output font, the document
// properties; written in the output's own format. false from ConvertDOC fails the file with
// RecordedRowFailure, after logging "..Document ConvertError".
void ConvertWordDocument(const QString& input, const QString& output, bool bCode, bool bPhrase, bool bB52GB,
                         bool bL2R);

// The same routes as pool works (InOrderRun): the library's file conversions on the pool
// thread's statement and the copy, each into the temporary it is given.
PoolWork TextFileWork(const QString& input, bool bCode, bool bPhrase, bool bB52GB, bool bL2R, int32_t tag);
PoolWork TypedFileWork(const QString& input, int32_t type, int32_t option, int32_t flag);
PoolWork CopyWork(const QString& input);
// A row of the Word or HTML window as pool work: a text row through the library (with its
// charset tag when the row asks for one), a Word row none (it runs on the interface thread),
// any other row copied.
PoolWork TextOrCopyRowWork(const FileRowJob& job, bool bCode, bool bPhrase, bool bB52GB, bool bL2R);

// Whether the output's folder exists or could be made without a word (a failure is left to
// EnsureOutputFolder, which records it, in the row's turn).
bool OutputFolderMadeQuietly(const QString& output);
// The same for a folder itself.
bool FolderMadeQuietly(const QString& folder);
