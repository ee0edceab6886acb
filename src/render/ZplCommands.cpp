#include "render/ZplCommands.h"

#include <cctype>

namespace render {

namespace {
constexpr char Dle = 16;
} // namespace

QList<Command> splitCommands(const QByteArray& job) {
    QList<Command> out;
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
        // A command cut off at the end of the job is never completed: the printer drops it.
        if (i + 1 >= n) return out;
        // The font command takes one letter; its font name starts the parameters.
        if (command.prefix == '^' && (job.at(i + 1) | 0x20) == 'a' && (i + 2 >= n || job.at(i + 2) != '@')) {
            command.code = "A";
            i += 2;
        } else {
            if (i + 2 >= n) return out;
            command.code = job.mid(i + 1, 2).toUpper();
            i += 3;
        }
        if (command.code == "CC" || command.code == "CD" || command.code == "CT") {
            if (i >= n) return out;
            command.params = job.mid(i, 1);
            if (command.code == "CC") caret = job.at(i);
            if (command.code == "CT") tilde = job.at(i);
            ++i;
            out.append(command);
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
        out.append(command);
    }
    return out;
}

std::optional<int> leadingNumber(const QByteArray& text) {
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == ' ' || text.at(i) == '\t'))
        ++i;
    const bool negative = i < text.size() && text.at(i) == '-';
    if (i < text.size() && (text.at(i) == '-' || text.at(i) == '+')) ++i;
    if (i >= text.size() || !std::isdigit(uchar(text.at(i)))) return std::nullopt;
    qint64 value = 0;
    for (; i < text.size() && std::isdigit(uchar(text.at(i))); ++i)
        value = std::min<qint64>(value * 10 + (text.at(i) - '0'), 1'000'000'000);
    return int(negative ? -value : value);
}

QByteArrayList parameters(const QByteArray& params, char delimiter) {
    QByteArrayList list = params.split(delimiter);
    for (QByteArray& p : list)
        p = p.trimmed();
    return list;
}

} // namespace render
