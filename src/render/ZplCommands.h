#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>

// A label job split into its commands, as a printer reads it.
namespace render {

struct Command {
    char prefix = '^'; // '^' for format commands, '~' for control commands
    QByteArray code; // "XA", "FT", "DG", ...; "A" for the font command, whose font name opens the parameters
    QByteArray params; // everything up to the next command; field data unchanged
    qsizetype at = 0;  // byte offset in the job, for messages

    QString name() const { return QLatin1Char(prefix) + QString::fromLatin1(code); }
};

struct CommandList {
    QList<Command> commands;
    QString error; // empty when the whole job could be read
};

// Reads the commands of a job. The control prefix the program sends first (DLE, then
// "CT~~CD,~CC^~CT~") is honoured: DLE stands for the control character, and ~CC, ~CD and
// ~CT change the format character, the delimiter and the control character. Line breaks
// between commands are skipped; anything else outside a command is ignored as a printer
// ignores it.
CommandList splitCommands(const QByteArray& job);

// The parameters of a command, split at the delimiter, each without surrounding blanks.
QByteArrayList parameters(const QByteArray& params, char delimiter = ',');

} // namespace render
