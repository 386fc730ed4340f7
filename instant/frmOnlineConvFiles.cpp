// The instant window's text files: opening into a box, reading 8-bit and UTF-16 files,
// dropped files, and saving the current box.
#include "instant/frmOnlineConv.h"

#include "core/Log.h"
#include "core/SaveFailure.h"
#include "instant/CommandSteps.h"
#include "core/TezText.h"
#include "instant/dlgDbOrUni.h"
#include "instant/FileTypeGuess.h"
#include "instant/dlgFileType.h"
#include "platform/CodePage.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"

#include <QFile>
#include <QPlainTextEdit>

#include <utility>

bool FrmOnlineConv::ConfirmDiscardChanges()
{
    const int answer = MsgBox(LoadResString(2002), vbYesNoCancel + vbQuestion, LoadResString(8002));
    if (answer == vbCancel)
        return false;
    if (answer == vbYes)
        return SaveToFile();
    return true;
}

bool FrmOnlineConv::ChooseTextFile(bool save)
{
    dlgSave.Flags = cdlOFNHideReadOnly;
    dlgSave.Filter = LoadResString(4016);
    dlgSave.FilterIndex = 1;
    if (save)
        dlgSave.ShowSave();
    else
        dlgSave.ShowOpen();
    return !dlgSave.Cancelled && !dlgSave.FileName.isEmpty();
}

void FrmOnlineConv::OpenTextFile()
{
    if (bFileChanged && !ConfirmDiscardChanges())
        return;
    // The user has answered for the text: the reader does not ask again. The text counts
    // as changed until a file has really replaced it, so that a cancelled open loses nothing.

    dlgSave.FileName.clear();
    if (!ChooseTextFile(false))
        return;
    const QString path = dlgSave.FileName;

    // The question offers what the file is; a choice that would lose text says so first,
    // and "No" goes back to the question.
    QByteArray bytes;
    if (QFile file(path); file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    const int guessed = GuessFileType(bytes);
    int type = 0;
    for (;;) {
        type = dlgFileType::ShowForm(guessed);
        if (type == 0)
            return;
        const QString loss = FileTypeLoss(bytes, type);
        if (loss.isEmpty() ||
            MsgBox(loss + QStringLiteral("\n\n仍要这样打开吗？（“否”重选文件类型）"), vbYesNo + vbExclamation + vbDefaultButton2,
                   LoadResString(8002)) == vbYes)
            break;
    }
    const bool b5 = type == 1 || type == 2;
    const bool unicode = type == 2 || type == 4;
    const QString text = unicode ? ReadUnicodeTextFile(path, b5) : ReadDbcsText(path, b5, false);
    if (bReadCancelled)
        return;
    LoadIntoBox(b5 ? edtB5 : edtGB, text);
    bFileChanged = false;
}

std::optional<QByteArray> FrmOnlineConv::ReadFileForBox(const QString& path, const QString& procName)
{
    try {
        return ReadWholeFile(path);
    } catch (...) {
        // An unreadable file changes nothing.
        ErrorLog(procName);
        bReadCancelled = true;
        return std::nullopt;
    }
}

QString FrmOnlineConv::ReadDbcsTextFile(const QString& path, bool bB5)
{
    return ReadDbcsText(path, bB5, true);
}

QString FrmOnlineConv::ReadDbcsText(const QString& path, bool bB5, bool askFirst)
{
    MousePointerKeeper hourglass(vbHourglass);
    if (askFirst && bFileChanged && !ConfirmDiscardChanges()) {
        bReadCancelled = true;
        return QString();
    }
    bReadCancelled = false;
    m_readOrigin.reset();
    const std::optional<QByteArray> read = ReadFileForBox(path, QStringLiteral("ReadDbcsTextFile"));
    if (!read)
        return QString();
    // The file's own encoding, found from its bytes; the box's code page where they read alike.
    TextFileOrigin origin;
    const QString text = TextFromFile(*read, bB5 ? TextEncoding::Big5 : TextEncoding::Gb, &origin);
    m_readOrigin = origin;
    return text;
}

QString FrmOnlineConv::ReadUnicodeTextFile(const QString& path, bool bB5)
{
    MousePointerKeeper hourglass(vbHourglass);
    bReadCancelled = false;
    m_readOrigin.reset();
    const std::optional<QByteArray> read = ReadFileForBox(path, QStringLiteral("ReadUnicodeTextFile"));
    if (!read)
        return QString();
    const QString unicode = TextFromFileLines(DecodeUnicodeFileText(*read));
    // The text becomes the box's code page, which a save then writes.
    if (unicode.isEmpty())
        return QString();
    // The text as the receiving box's code holds it: Big5 (mode 2) or GB (mode 3).
    QByteArray eightBit;
    if (!Converted(QStringLiteral("ReadUnicodeTextFile"), [&] { return TezConvertUD(unicode, bB5 ? 2 : 3, 0, eightBit); })) {
        // A failed conversion leaves both boxes as they are.
        bReadCancelled = true;
        return QString();
    }
    return bB5 ? FromBig5(eightBit) : FromGB(eightBit);
}

bool FrmOnlineConv::SaveToFile()
{
    if (edtB5->toPlainText().isEmpty()) {
        MsgBox(LoadResString(1005), vbOKOnly, LoadResString(8002));
        return false;
    }
    // Nothing was saved: whoever asked for the save must not go on as after one.
    if (!ChooseTextFile(true))
        return false;

    QPlainTextEdit* box = SideBox();
    try {
        WriteWholeFile(dlgSave.FileName, FileFromText(box->toPlainText(), SaveOrigin(box)));
    } catch (...) {
        ErrorLog(QStringLiteral("SaveToFile"));
        ShowSaveFailure(dlgSave.FileName, LoadResString(8002));
        return false;
    }
    bFileChanged = false;
    return true;
}

TextFileOrigin FrmOnlineConv::SaveOrigin(const QPlainTextEdit* box) const
{
    const TextEncoding codePage = box == edtB5 ? TextEncoding::Big5 : TextEncoding::Gb;
    if (!fileOrigin)
        return {codePage, {}, {}};
    if (fileOriginBox == box)
        return *fileOrigin;
    // A Unicode file stays Unicode whichever box is saved; a code page belongs to its box.
    return {IsCodePage(fileOrigin->encoding) ? codePage : fileOrigin->encoding, {}, {}};
}

void FrmOnlineConv::ForgetFileOrigin()
{
    fileOrigin.reset();
    fileOriginBox = nullptr;
}

void FrmOnlineConv::DropFile(QPlainTextEdit* box, const QStringList& files)
{
    window()->setFocus();
    if (files.isEmpty())
        return;
    const QString& path = files.first();
    const bool b5 = box == edtB5;

    const int icType = AskDbOrUni(this, b5 ? kAskB5Key : QString());
    const QString text = icType == 0 ? ReadDbcsTextFile(path, b5) : ReadUnicodeTextFile(path, b5);
    if (bReadCancelled)
        return;
    LoadIntoBox(box, text);
    bFileChanged = false;
}

void FrmOnlineConv::LoadIntoBox(QPlainTextEdit* box, const QString& text)
{
    strUndo = edtB5->toPlainText();
    SetBoxText(box, text);
    fileOrigin = std::exchange(m_readOrigin, std::nullopt);
    fileOriginBox = fileOrigin ? box : nullptr;
}
