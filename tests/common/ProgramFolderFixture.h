#pragma once
// A temporary program folder for tests that run the whole program in-process: filled with
// the tables installed with the build (TEZDESK_DATA_DIR), pointed at through TEZDESK_HOME.
// start() runs the program's start-up (the main window's load handler) with every piece of
// program-wide state as a new process has it; stop() ends the program without asking
// anything. The modal seam is the test's to script (ModalScript) around start() and the
// commands it sends.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class FrmMain;

class ProgramFolderFixture {
public:
    ProgramFolderFixture();
    ~ProgramFolderFixture();
    ProgramFolderFixture(const ProgramFolderFixture&) = delete;
    ProgramFolderFixture& operator=(const ProgramFolderFixture&) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString folder() const;
    // folder + "/" + name
    QString path(const QString& name) const;
    void writeFile(const QString& name, const QByteArray& bytes) const;
    QByteArray readFile(const QString& name) const;

    // Runs start-up and returns the main window. Library entries a test put into
    // StartUpLibrary() (app/StartUp.h) stay in place until the fixture ends. ProcessEnded() (core/EndProcess.h) tells
    // whether start-up ended the program.
    FrmMain& start();
    // Unloads every window and discards the main window; nothing is asked or saved.
    void stop();

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    bool m_hadHome = false;
    QString m_oldCurrent;
};

// Puts the program-wide state back as a new process starts with it (the start-up library
// entries excepted).
void ResetProgramState();
