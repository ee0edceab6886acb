#include "render/ZplCommands.h"

namespace render {

namespace {
constexpr char Dle = 16;
} // namespace

CommandList splitCommands(const QByteArray& job) {
    CommandList out;
    char caret = '^';
    char tilde = '~';
    qsizetype i = 0;
    const qsizetype n = job.size();
    while (i < n) {
        const char c = job.at(i);
        if (c != caret && c != tilde && c != Dle) {
            ++i;
            continue;
        }
        Command command;
        command.at = i;
        command.prefix = c == caret ? '^' : '~';
        const auto truncated = [&] {
            out.error = QStringLiteral("O trabalho termina no meio de um comando (byte %1).").arg(command.at);
            return out;
        };
        if (i + 1 >= n) return truncated();
        // The font command takes one letter; its font name starts the parameters.
        if (command.prefix == '^' && (job.at(i + 1) | 0x20) == 'a' && (i + 2 >= n || job.at(i + 2) != '@')) {
            command.code = "A";
            i += 2;
        } else {
            if (i + 2 >= n) return truncated();
            command.code = job.mid(i + 1, 2).toUpper();
            i += 3;
        }
        if (command.code == "CC" || command.code == "CD" || command.code == "CT") {
            if (i >= n) {
                out.error = QStringLiteral("O trabalho termina no meio de %1.").arg(command.name());
                return out;
            }
            command.params = job.mid(i, 1);
            if (command.code == "CC") caret = job.at(i);
            if (command.code == "CT") tilde = job.at(i);
            ++i;
            out.commands.append(command);
            continue;
        }
        // Field data runs to the next format command: a control character inside it is text.
        const bool fieldData = command.prefix == '^' && (command.code == "FD" || command.code == "FV");
        qsizetype end = i;
        while (end < n && job.at(end) != caret && (fieldData || (job.at(end) != tilde && job.at(end) != Dle)))
            ++end;
        command.params = job.mid(i, end - i);
        if (!fieldData) command.params.replace('\r', QByteArray()).replace('\n', QByteArray());
        i = end;
        out.commands.append(command);
    }
    return out;
}

QByteArrayList parameters(const QByteArray& params, char delimiter) {
    QByteArrayList list = params.split(delimiter);
    for (QByteArray& p : list)
        p = p.trimmed();
    return list;
}

} // namespace render
