#pragma once
// What the instant window tests share: the program started with the instant window
// current (one start per test class), each test starting from empty boxes, and small
// helpers that type, select, answer the window's questions and drop files.
#include "InstantFixture.h"
#include "common/FileBytes.h"

#include "core/frmMain.h"
#include "instant/dlgDbOrUni.h"
#include "instant/dlgFileType.h"
#include "instant/frmOnlineConv.h"
#include "platform/Clipboard.h"

#include <QAction>
#include <QDialog>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QUrl>

#include <functional>
#include <initializer_list>
#include <memory>

namespace instant_test {

inline FrmOnlineConv& w() { return frmOnlineConv(); }

inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

// Types text into a box as one input (as an input method commits a word).
inline void Type(QPlainTextEdit* box, const QString& text)
{
    if (box == w().edtB5)
        w().edtB5_GotFocus();
    else
        w().edtGB_GotFocus();
    box->moveCursor(QTextCursor::End);
    box->insertPlainText(text);
}

inline void Select(QPlainTextEdit* box, int start, int length)
{
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
}

inline int SelStart(QPlainTextEdit* box) { return box->textCursor().selectionStart(); }
inline int SelLength(QPlainTextEdit* box) { return box->textCursor().selectionEnd() - box->textCursor().selectionStart(); }

inline QAction* MenuItem(const QString& name) { return frmMain().Menu(name); }

// Answers the file-type question with one of its options (1 to 4).
inline std::function<void(QDialog&)> ChooseFileType(int type)
{
    return [type](QDialog& dialog) {
        auto& d = static_cast<dlgFileType&>(dialog);
        QRadioButton* options[] = {d.opTBig5, d.opTUnicode, d.opSGB, d.opSUnicode};
        options[type - 1]->click();
        d.cmdOK->click();
    };
}

// Answers the encoding question: 0 8-bit, 1 Unicode, -1 closed without a button. The
// label it showed is kept in *label.
inline std::function<void(QDialog&)> AnswerEncoding(int answer, QString* label = nullptr)
{
    return [answer, label](QDialog& dialog) {
        auto& d = static_cast<dlgDbOrUni&>(dialog);
        if (label)
            *label = d.Label1->text() + QLatin1Char('|') + d.cmdDB->text() + QLatin1Char('|') + d.cmdUnicode->text();
        if (answer == 0)
            d.cmdDB->click();
        else if (answer == 1)
            d.cmdUnicode->click();
        else
            d.reject();
    };
}

inline void Drop(QPlainTextEdit* box, const QString& path)
{
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box->viewport(), &drop);
}

inline const QString kOwnQuestion = QStringLiteral("正从剪贴板或文件拖曳之内码是简体 GB 或 简体 UNICODE ?|简体GB|简体UNICODE");
inline const QString kKeyQuestion = QStringLiteral("正从剪贴板或文件拖曳之内码是繁体 BIG5 或 繁体 UNICODE?|繁体 BIG5|繁体 UNICODE");
inline const QString kMenuQuestion = QStringLiteral("正从剪贴板或文件拖曳之内码是是繁体 BIG5 或 繁体 UNICODE?|繁体 BIG5|繁体 UNICODE");

} // namespace instant_test

using namespace instant_test;

class InstantTestBase : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<InstantFixture> m_fixture;
    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void initTestCase()
    {
        m_fixture = std::make_unique<InstantFixture>();
        QVERIFY2(m_fixture->ready(), "the program must start and show the instant window");
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        w().edtB5->clear();
        w().edtGB->clear();
        w().strSide = QStringLiteral("B5");
        w().strUndo.clear();
        w().bFileChanged = false;
        w().fileOrigin.reset();
        w().fileOriginBox = nullptr;
        w().dlgSave.FileName.clear();
        ClipboardClear();
        w().EnableMenu();
    }

    void cleanup() { w().ExitOnlineConv(); }
};
