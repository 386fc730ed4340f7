#pragma once
// Program-wide facts of the running program: its title and its file name.
#include <QString>

// The program title (message boxes without their own title use it).
QString AppTitle();
void SetAppTitle(const QString& title);

// The program's file name without extension ("tezdesk"): names the run and error logs.
QString AppExeName();
