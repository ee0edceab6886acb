#include "app/frmzepa.h"
#include "history/PrintHistory.h"
#include "production/Fixture.h"
#include "tracing/frmhistorico.h"

#include <QtWidgets>

// The "Histórico" window as the operator uses it, driven by object name.
class TstHistoryWindow : public QObject {
    Q_OBJECT

    static QDateTime at(int hour, int minute) { return QDateTime(QDate(2026, 12, 7), QTime(hour, minute)); }
    // A job of the history, recorded at `when` on this station's clock.
    static qint64 recorded(Floor& f, const QDateTime& when, history::Kind kind, const QString& order,
                           const QByteArray& job, qint64 line = 0) {
        regional::setFixedNow(when);
        history::JobRecord r;
        r.station = "EST-1";
        r.user = "ADMIN";
        r.labelType = labeltype::Preco5426;
        r.production = Numprod;
        r.order = order;
        r.line = line;
        r.kind = kind;
        return history::PrintHistory(f.store).record(r, {printing::SentJob{f.printer.uri(), job}}).value(0);
    }
    static QStringList column(QTableWidget* grid, int c) {
        QStringList cells;
        for (int r = 0; r < grid->rowCount(); ++r)
            cells << grid->item(r, c)->text();
        return cells;
    }

  private slots:
    void cleanup() { regional::setFixedNow(std::nullopt); }

    void shortcutOpensHistory() {
        TempHome home;
        ScriptedOperator op;
        frmzepa main(home.state(), op);
        auto* shortcut = main.findChild<QShortcut*>("shortcutHistorico");
        QVERIFY(shortcut);
        QCOMPARE(shortcut->key(), QKeySequence("Ctrl+Shift+H"));
        QString opened;
        QTimer operatorHand;
        connect(&operatorHand, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = modal->objectName();
                modal->close();
            }
        });
        operatorHand.start(10);
        shortcut->activated();
        QCOMPARE(opened, QString("frmhistorico"));
    }

    void searchShowsReprints() {
        Floor f;
        const QByteArray twoLabels = "^XA^FO20,20^A0N,30,30^FDUM^FS^XZ^XA^FO20,20^A0N,30,30^FDDOIS^FS^PQ2^XZ";
        recorded(f, at(10, 0), history::Kind::Producao, "450100", twoLabels, 1);
        recorded(f, at(10, 5), history::Kind::Producao, "450200", "^XA^FDX^FS^XZ", 2);
        recorded(f, at(10, 10), history::Kind::Resumo, "450100", "^XA^FDRESUMO^FS^XZ");
        frmhistorico w(f.home.state(), f.op, [] { return QString("ZE"); });
        QCOMPARE(w.lblimpsel->text(), f.printer.uri());

        QTest::keyClicks(w.txtpedido, "450100");
        QTest::keyClick(w.txtpedido, Qt::Key_Return);
        QCOMPARE(column(w.grdhistorico, 1), (QStringList{"resumo", "produção"}));
        QCOMPARE(column(w.grdhistorico, 0), (QStringList{"07/12/2026 10:10:00", "07/12/2026 10:00:00"}));

        w.grdhistorico->selectRow(1);
        QVERIFY(!w.lblfigura->pixmap().isNull());
        QCOMPARE(w.lblformatos->text(), QString("Etiqueta 1 de 2: \"Visualizar\" mostra todas"));
        w.cmdvisualizar->click();
        QCOMPARE(f.op.previews, (QList<QList<QByteArray>>{{twoLabels}}));

        regional::setFixedNow(at(10, 20));
        f.op.yesNo << true;
        w.cmdreimprimir->click();
        QCOMPARE(f.printer.waitForJobs(1), QList<QByteArray>{twoLabels});
        QCOMPARE(column(w.grdhistorico, 1), (QStringList{"reimpressão", "resumo", "produção"}));
        QCOMPARE(w.grdhistorico->item(0, 8)->text(), QString("ZE"));
    }

    void progressCountsLines() {
        Floor f;
        addOrder(f.store, Numprod, "450100", "FORN",
                 {{"7891020304001"}, {"7891020304002"}, {"7891020304003"}});
        const QStringList lines = storedValues(f.store, "Identificação");
        f.store.execute("UPDATE VORLA SET IMPRESSOC = 'S' WHERE Identificação = " + lines[0]);
        f.store.execute("UPDATE VORLA SET IMPRESSOC = 'A', IMPRESSOC_ESTACAO = 'EST-2', "
                        "IMPRESSOC_DESDE = '2026-12-07T12:55:00' WHERE Identificação = " +
                        lines[1]);
        // Basket and pack labels share their flag: a line held under it shows once.
        f.store.execute("UPDATE VORLA SET IMPRESSO5 = 'A', IMPRESSO5_ESTACAO = 'EST-3', "
                        "IMPRESSO5_DESDE = '2026-12-07T12:56:00' WHERE Identificação = " +
                        lines[2]);
        const QByteArray tenLabels = "^XA^FO20,20^A0N,30,30^FDX^FS^PQ10^XZ";
        recorded(f, at(9, 0), history::Kind::Producao, "450100", tenLabels, lines[0].toLongLong());
        recorded(f, at(9, 30), history::Kind::Producao, "450100", tenLabels, lines[0].toLongLong());
        frmhistorico w(f.home.state(), f.op, [] { return QString("ZE"); });
        QVERIFY(w.tmratualizar->isActive());

        w.tabhistorico->setCurrentIndex(1);
        QTest::keyClicks(w.txtandamento, "123");
        w.refreshProgress();
        const int row = int(column(w.grdandamento, 0).indexOf(labeltype::Preco5426));
        QVERIFY(row >= 0);
        QStringList cells;
        for (int c = 1; c < w.grdandamento->columnCount(); ++c)
            cells << w.grdandamento->item(row, c)->text();
        // The clock stands at the second job: both fall in the last hour.
        QCOMPARE(cells,
                 (QStringList{"1", "1", "1", "20", "07/12/2026 09:00:00", "07/12/2026 09:30:00", "20"}));
        QCOMPARE(column(w.grdretidas, 0),
                 (QStringList{labeltype::Preco5426, labeltype::Basket3225 + " / " + labeltype::Pack}));
        QCOMPARE(column(w.grdretidas, 2), (QStringList{lines[1], lines[2]}));
        QCOMPARE(column(w.grdretidas, 3), (QStringList{"EST-2", "EST-3"}));
    }
};

QTEST_MAIN(TstHistoryWindow)
#include "tst_history_window.moc"
