#pragma once

#include "labels/LabelTypes.h"
#include "production/ProductionRun.h"
#include "production/ProductionTypes.h"
#include "session/Regional.h"
#include "support/DataRows.h"
#include "support/FakeLabelPrinter.h"
#include "support/Orders.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QtTest>

// What the production, station and ad-hoc tests share: a home with its order store, a
// label printer on the loopback interface and the operator.

// The production number every order of these tests is stored under.
inline const QString Numprod = QStringLiteral("0000000123");

// Every value of `expression` over the rows of `from`: by default a VORLA column, in
// line order. The master-data tests read their tables with it too.
inline QStringList storedValues(Connection& store, const QString& expression,
                                const QString& from = QStringLiteral("VORLA ORDER BY Identificação")) {
    QStringList values;
    const Recordset rs = store.query("SELECT " + expression + " AS V FROM " + from);
    for (int i = 0; i < rs.recordCount(); ++i)
        values << rs.row(i).text("V");
    return values;
}

// The settings a station prints with: the first layout of the types with a choice.
inline ProductionSettings stationSettings() {
    ProductionSettings settings;
    settings.cbotemp = QStringLiteral("20");
    settings.cbovelocidade = QStringLiteral("3");
    settings.cbocoluna = settings.cbolargura = QStringLiteral("00");
    settings.labels.producaoVisivel = true;
    settings.labels.producao.Check1 = true;
    return settings;
}

// A home whose label printer, current and chosen, is on the loopback interface, and its
// operator, who reads every label back unless told otherwise.
struct Floor {
    TempHome home;
    FakeLabelPrinter fake; // answers its state as ready unless a test scripts otherwise
    LoopbackPrinter& printer = fake.printer();
    ScriptedOperator op;
    Connection& store = home.state().ConexaoPedidos;

    explicit Floor(QList<FakeLabelPrinter::Answer> states = {FakeLabelPrinter::Answer::Ready})
        : fake(states) {
        home.state().impressoraAtual = home.state().ImpressoraSelecionada = printer.uri();
        op.readsEveryLabel = true;
    }
    QString column(const QString& name, int line) { return storedValues(store, name).value(line); }
};

// The production core of one label type without its window.
struct Run : Floor {
    ProductionRun run;
    ProductionDisplay d;

    explicit Run(const QString& caption,
                 QList<FakeLabelPrinter::Answer> states = {FakeLabelPrinter::Answer::Ready})
        : Floor(states), run(home.state(), op, *productionType(caption)) {}
};
