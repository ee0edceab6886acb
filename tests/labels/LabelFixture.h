#pragma once

#include "data/Recordset.h"
#include "labels/LabelBuilders.h"
#include "support/LoopbackPrinter.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// One order line as the print run hands it over (a joined VORLAPEDIDOS / VORLA row),
// with accented texts and a description longer than a label takes.
Record orderLine(const QString& codigBarr = QStringLiteral("7891234567890"));

// A workstation with a home folder, a label printer on the loopback interface and a
// scripted operator; runs builders and collects the jobs the printer received.
struct LabelBench {
    TempHome home;
    LoopbackPrinter printer;
    ScriptedOperator op;
    LabelSettings settings;

    LabelBench();  // production window visible, offsets 00, percentage 10
    LabelContext context(const Record& line = orderLine());

    using Builder = LabelResult (*)(LabelContext&, double&, const QString&, const QString&, const QString&, short);
    // Runs `builder` with speed "04" and darkness "10", answering every read-back right.
    LabelResult run(Builder builder, double& Qtd, const Record& line = orderLine());
    // The jobs received, decoded from Windows-1252.
    QStringList jobs(int count);
};

// Replaces every "~DG" download by "~DG<name>,<bytes>,<row>,<logo>" after checking that
// its data decodes to exactly <bytes> bytes in rows of <row> bytes and is not blank.
// Fails the running test otherwise.
QString withLogosChecked(const QString& job);

// Decodes the printer's compressed hexadecimal form; empty when malformed.
QByteArray decodeGraphic(const QString& data, int bytesPerRow, int totalBytes);

// The field origin as the printer reads it: lead-in, x, " ,", y, element.
QString F(const char* leadIn, int x, int y, const QString& element);
