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

// The label type named by its builder's name ("Preco5426", "Pack", ...).
QString labelType(const QString& key);

// The enumerator's name: "Printed", "NothingSelected", ...
QString labelResultName(LabelResult result);

// Settings printing `type`. Boxes: P1/P2 tick the production window's boxes, A1/A2 the
// ad-hoc window's (the ad-hoc window is the active one when they come first), and a
// lone A has the ad-hoc window name the same type as well.
LabelSettings settingsFor(const QString& type, const QString& boxes);

// A workstation with a home folder, a label printer on the loopback interface and a
// scripted operator; runs builders and collects the jobs the printer received.
struct LabelBench {
    TempHome home;
    LoopbackPrinter printer;
    ScriptedOperator op;
    LabelSettings settings;

    LabelBench(); // production window visible, offsets 00, percentage 10
    LabelContext context(const Record& line = orderLine());

    using Builder = LabelResult (*)(LabelContext&, double&, const QString&, const QString&, const QString&,
                                    short);
    static Builder builderFor(const QString& type); // by label type
    // Runs `builder` with speed "04" and darkness "10", answering every read-back right.
    LabelResult run(Builder builder, double& Qtd, const Record& line = orderLine());
    // The jobs received, decoded from Windows-1252.
    QStringList jobs(int count);
};
