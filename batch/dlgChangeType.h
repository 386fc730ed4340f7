#pragma once
// The row-type dialog of the file-list windows: the user chooses how the current row is
// converted (text, word-processor document, workbook, presentation, web page or copied
// unchanged). Each show routine loads the dialog afresh, presets it for its window kind and
// shows it modally; OK and Cancel unload it, so every use starts from the designed state.
// The web-page option also edits the program-wide list of web-page extensions.
#include "platform/Form.h"

#include <QDialog>

#include <cstdint>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class DlgChangeType : public QDialog, public FormEvents {
    Q_OBJECT
public:
    DlgChangeType();
    // Selects the option that matches lDocType.
    void Form_Load() override;

    // The row word in before a show routine, the changed row word out after OK. It keeps its
    // value between uses.
    static inline int32_t lDocType = 0;

    // Each returns true when the dialog was closed with OK.
    static bool ShowDlg();     // Word window
    static bool ShowDlgXLS();  // Excel window
    static bool ShowDlgPPT();  // PowerPoint window
    static bool ShowDlgHtml(); // HTML window
    static bool ShowDlgSpec(); // encoding-pair window

    // The dialog's height in twips as the last show routine set it.
    int Height() const { return m_heightTwips; }

    QLabel* Label1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* optTxt = nullptr;
    QRadioButton* optDoc = nullptr;
    QRadioButton* optXls = nullptr;
    QRadioButton* optPPT = nullptr;
    QRadioButton* optHtml = nullptr;
    QRadioButton* optOther = nullptr;
    QLabel* Label2 = nullptr;
    // The web-page extensions, one pattern per line.
    QPlainTextEdit* txtExt = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();
    // Closing by the frame or Escape counts as Cancel.
    void reject() override;

private:
    // The six options as bits, for the show routines' presets.
    enum Option { Txt = 1, Doc = 2, Xls = 4, PPT = 8, Html = 16, Other = 32 };
    enum class ExtBox { Designed, FromWebsiteDialog, Emptied };
    // What a show routine presets: the options left enabled, the one it selects (0: the load
    // step's choice), the height, and what the extension box shows.
    struct Variant {
        int enabled;
        int selected;
        int heightTwips;
        ExtBox extBox;
    };
    static bool ShowVariant(const Variant& variant);
    QRadioButton* OptionButton(Option option) const;
    void SetHeight(int twips);
    // The type bit of the selected option (0 for other).
    int32_t SelectedTypeBit() const;

    bool m_ok = false;
    int m_heightTwips = 0;
};
