#pragma once

#include <QString>
#include <QStringList>

// What the command line asked for.
struct CommandLine {
    enum class Action { Run, Init, InitServer, Render, PrinterStatus, History, Help, Error };
    Action action = Action::Run;
    QString home;      // --home DIR, or the folder to create with --init DIR
    QString serverUri;  // --init-server URI
    bool hasHome = false;
    QString user;      // --user NAME (with --init or --init-server)
    QString password;  // --password PW (with --init)
    QString jobFile;     // --render JOB.zpl OUT.png
    QString pictureFile;
    QString printer;   // --printer-status [PRINTER]; empty: the current label printer
    // --history [--barcode X | --order N | --production N] [--csv]
    QString barcode, order, production;
    bool csv = false;
    bool hasUser = false;
    bool hasPassword = false;
    QString error;

    // `defaultHome`: the home when no --home is given (home::defaultFolder).
    static CommandLine parse(const QStringList& arguments, const QString& defaultHome);
    static QString helpText();
};

// Runs the program: the login window on the home folder, or --init, --render,
// --printer-status, --history, --help.
// Returns the process exit code.
int runProgram(int argc, char** argv);
