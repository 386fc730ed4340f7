#pragma once
// What the phrase search and the detection dialogs share: a grid of table items (lst), its
// right-click menu that puts the selected items in or out of use or edits one of them,
// writing an item back, and leaving without writing anything.
#include "core/PhraseText.h"
#include "platform/Form.h"

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>

class FlexGrid;
class QAction;
class QMenu;

class PhraseResultDialog : public QDialog, public FormEvents {
    Q_OBJECT
public:
    // Marks the selected rows in use (true) or not in use (false).
    virtual void SetStatus(bool Active) = 0;

    FlexGrid* lst = nullptr;
    QMenu* IDM_EDIT = nullptr;
    QAction* IDM_EDIT_ACTIVE = nullptr;
    QAction* IDM_EDIT_DEACTIVE = nullptr;
    QAction* IDM_EDIT_MODIFY = nullptr;

    void IDM_EDIT_ACTIVE_Click();
    void IDM_EDIT_DEACTIVE_Click();
    virtual void IDM_EDIT_MODIFY_Click() = 0;

    void lst_MouseDown(int button, int shift, int x, int y);

    // Leaves without writing anything.
    void cmdCancel_Click();

public slots:
    // Escape and the close box cancel: nothing is written.
    void reject() override;

protected:
    // Creates the grid, named "lst", at left, top, width, height in twips.
    void CreateResultGrid(int left, int top, int width, int height);
    // Columns, widths and headers of the grid: in-use picture, position, Simplified term,
    // Traditional term, table path. Leaves only row 0.
    void SetupResultColumns();
    // Creates the right-click menu ("使用", "不使用", "更改") and connects it and the grid's
    // mouse-down; the grid must exist.
    void CreateItemMenu();
    // Removes every row below the header and leaves no fixed row.
    void ClearResultRows();
    // Makes row the current row, sets or clears its in-use bit and redraws its picture.
    void SetRowInUse(int row, bool active);
    // Edits an item's terms with the phrase edit dialog; false when its table is not loaded
    // or the user cancelled, and the terms stay as they were.
    static bool EditItemTerms(const QString& tablePath, QString& simp, QString& trad);
    // Writes back what the user changed in one listed item: its use state when it differs
    // from the state it was listed with, its terms when either differs from the bytes it was
    // listed with (and the library takes both). An item left as listed is not touched, so
    // its table stays as it was.
    static void WriteItemBack(int32_t hPct, int32_t index, bool listedInUse, bool inUse, const ShownTerm& listedTrad,
                              const QString& trad, const ShownTerm& listedSimp, const QString& simp);

    // Set when the user left with "退出" and the rows were written back.
    bool m_closedWithOK = false;
};
