#pragma once

#include "data/Recordset.h"
#include "labels/LabelBuilders.h"
#include "support/LoopbackPrinter.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QString>

// One order line as the print run hands it over (a joined VORLAPEDIDOS / VORLA row),
// with accented texts and a description longer than a label takes.
Record orderLine();

// The label type named by its builder's name ("Preco5426", "Pack", ...).
QString labelType(const QString& key);

// Settings printing `type`. Boxes: P1/P2 tick the production window's boxes, A1/A2 the
// ad-hoc window's (the ad-hoc window is the active one when they come first), and a
// lone A has the ad-hoc window name the same type as well.
LabelSettings settingsFor(const QString& type, const QString& boxes);

// A workstation with a home folder, a label printer on the loopback interface and a
// scripted operator.
struct LabelBench {
    TempHome home;
    LoopbackPrinter printer;
    ScriptedOperator op;
    LabelSettings settings;

    LabelBench(); // production window visible, offsets 00, percentage 10

    using Builder = LabelResult (*)(LabelContext&, double&, const QString&, const QString&, const QString&,
                                    short);
    static Builder builderFor(const QString& type); // by label type, as the production run finds it
    // Runs `builder` with speed "04" and darkness "10", answering every read-back right.
    LabelResult run(Builder builder, double& Qtd, const Record& line = orderLine());
};
