#pragma once
// What the find and the replace dialog share: the search field, Find next over the box's
// text from the search position, and the messages at the end of a search.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class SearchDialogBase : public QDialog {
    Q_OBJECT
public:
    QLabel* Label1 = nullptr;
    QLineEdit* txtSearch = nullptr;
    QPushButton* cmdSearch = nullptr;
    QPushButton* cmdCancel = nullptr;

    void txtSearch_Change();
    void cmdSearch_Click();
    void cmdCancel_Click();

protected:
    // resetAtEnd: the search position goes back to 0 after the last occurrence.
    SearchDialogBase(const QString& caption, bool resetAtEnd);

    // The box searched over.
    virtual QPlainTextEdit* Box() const = 0;
    // The buttons enabled exactly while the search field holds text.
    virtual QList<QPushButton*> SearchButtons() const = 0;

    // Characters of the box's text before the point where the next search starts.
    int lSearchPos = 0;

private:
    bool m_resetAtEnd;
};
