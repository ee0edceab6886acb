#pragma once

#include "support/LoopbackPrinter.h"

#include <QList>

// A label printer on the loopback interface whose status answers follow a script: the
// n-th status query gets the n-th answer, the last answer stays. Jobs are taken as
// LoopbackPrinter takes them.
class FakeLabelPrinter {
  public:
    enum class Answer {
        Ready,
        PaperOut,        // an older printer: ~HS only, paper-out flag set
        PaperOutCurrent, // a current printer: ~HQES media-out bit, ~HS left unanswered
        HeadUp,
        Paused,
        RibbonOut,
        Silent,  // reads the query and says nothing
        Cut,     // hangs up in the middle of the second ~HS string
        Garbage, // answers something that is not the printer's format
    };

    explicit FakeLabelPrinter(QList<Answer> script = {Answer::Ready});

    QString uri() const { return m_printer.uri(); }
    LoopbackPrinter& printer() { return m_printer; }

    // The answers named as in the enumeration ("Ready", "PaperOut", ...), separated by
    // blanks.
    static QList<Answer> answersNamed(const QString& names);

    // The printer's own bytes for an answer.
    static LoopbackPrinter::StatusReply reply(Answer answer);

  private:
    LoopbackPrinter m_printer;
};
