#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>

#include <optional>

// A label job split into its commands, as a printer reads it.
namespace render {

struct Command {
    char prefix = '^'; // '^' for format commands, '~' for control commands
    QByteArray code; // "XA", "FT", "DG", ...; "A" for the font command, whose font name opens the parameters
    QByteArray params; // everything up to the next command; field data unchanged
    qsizetype at = 0;  // byte offset in the job, for messages

    QString name() const { return QLatin1Char(prefix) + QString::fromLatin1(code); }
};

// Reads the commands of a job. The control prefix the program sends first (DLE, then
// "CT~~CD,~CC^~CT~") is honoured: DLE stands for the control character, and ~CC, ~CD and
// ~CT change the format character, the delimiter and the control character. Line breaks
// between commands are skipped; anything else outside a command, and a command cut off
// by the end of the job, is ignored as a printer ignores it.
QList<Command> splitCommands(const QByteArray& job);

// A number as the printer reads it: optional blanks and sign, then the leading digits
// ("600# comment" is 600, "81.5" is 81); nothing when there is no digit.
std::optional<int> leadingNumber(const QByteArray& text);

// The parameters of a command, split at the delimiter, each without surrounding blanks.
QByteArrayList parameters(const QByteArray& params, char delimiter = ',');

} // namespace render
