#include "app/Composition.h"
#include "core/EndProcess.h"
#include "core/frmMain.h"
#include "platform/QtTranslations.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    InstallQtTranslations();
    // The program ends when its main window is unloaded, not when its last window hides.
    app.setQuitOnLastWindowClosed(false);
    ComposeProgram();
    LoadForm<FrmMain>(); // start-up runs in the main window's load handler
    if (ProcessEnded())
        return ProcessExitCode();
    return app.exec();
}
