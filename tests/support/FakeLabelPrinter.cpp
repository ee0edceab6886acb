#include "support/FakeLabelPrinter.h"

#include <QStringList>

namespace {
QByteArray frame(const QByteArray& text) {
    return '\x02' + text + "\x03\r\n";
}

QByteArray extended(const char* errors) {
    return frame(QByteArray("\r\n  PRINTER STATUS\r\n   ERRORS:         ") + errors +
                 "\r\n   WARNINGS:       0 00000000 00000000\r\n");
}

// ~HS: string 1 field 2 paper out, field 3 pause; string 2 field 3 head up, field 4
// ribbon out; string 3 the password and the static-RAM flag.
QByteArray hostStatus(bool paperOut, bool paused, bool headUp, bool ribbonOut) {
    return frame(QByteArray("030,") + (paperOut ? "1" : "0") + ',' + (paused ? "1" : "0") +
                 ",1245,000,0,0,0,000,0,0,0") +
           frame(QByteArray("000,0,") + (headUp ? "1" : "0") + ',' + (ribbonOut ? "1" : "0") +
                 ",1,2,6,0,00000000,1,000") +
           frame("1234,0");
}
} // namespace

FakeLabelPrinter::FakeLabelPrinter(QList<Answer> script) {
    m_printer.setStatusResponder([script = std::move(script)](int query) {
        return reply(script.value(std::min<qsizetype>(query, script.size() - 1), Answer::Ready));
    });
}

QList<FakeLabelPrinter::Answer> FakeLabelPrinter::answersNamed(const QString& names) {
    static const QStringList all{"Ready",  "PaperOut", "PaperOutCurrent", "HeadUp", "Paused", "RibbonOut",
                                 "Silent", "Cut",      "Garbage"};
    QList<Answer> answers;
    for (const QString& name : names.split(u' ', Qt::SkipEmptyParts)) {
        if (!all.contains(name)) qFatal("no printer answer named %s", qPrintable(name));
        answers << Answer(all.indexOf(name));
    }
    return answers;
}

LoopbackPrinter::StatusReply FakeLabelPrinter::reply(Answer answer) {
    const QByteArray noErrors = extended("0 00000000 00000000");
    const LoopbackPrinter::StatusReply replies[] = {
        {noErrors + hostStatus(false, false, false, false)},                       // Ready
        {hostStatus(true, false, false, false)},                                   // PaperOut
        {extended("1 00000000 00000001")},                                         // PaperOutCurrent
        {extended("1 00000000 00000004") + hostStatus(false, false, true, false)}, // HeadUp
        {noErrors + hostStatus(false, true, false, false)},                        // Paused
        {extended("1 00000000 00000002") + hostStatus(false, false, false, true)}, // RibbonOut
        {},                                                                        // Silent
        {noErrors + hostStatus(false, false, false, false).left(60), true},        // Cut
        {QByteArrayLiteral("?? SYNTAX ERROR ??\r\n")},                             // Garbage
    };
    return replies[int(answer)];
}
