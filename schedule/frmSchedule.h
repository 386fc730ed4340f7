#pragma once
// The schedule window: the list of weekly project runs. Until the scheduler is built it
// shows its list, sets the main window's menus, and its due check runs nothing.
#include "core/WorkWindow.h"

#include <QString>
#include <QVariant>

class FlexGrid;

class FrmSchedule : public WorkWindow {
    Q_OBJECT
public:
    FrmSchedule();
    void Form_Load() override;
    void ShowMenu() override;
    void MenuProc(const QString& cmd) override;
    QString formName() const override { return QStringLiteral("frmSchedule"); }

    // Runs the scheduled projects due at this time ("hh:mm") and weekday ("1" Monday ...
    // "7" Sunday).
    QVariant ChkSchedPrj(const QString& currentTime, const QString& currentWeekday);

    FlexGrid* lstSched = nullptr;
};

FrmSchedule& frmSchedule();
