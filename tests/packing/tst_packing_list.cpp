#include "session/Regional.h"
#include "packing/PackingList.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

void header(ProgramState& s, int id, const QString& pedido, const QString& supplier, const QString& grupo = "VORLA")
{
    s.ConexaoPedidos.execute(QString("INSERT INTO VORLAPEDIDOS (IDCODIGO,PEDIDO,GRUPO,FORNECEDOR,IMPRESSOR,DATA,HORA,"
                                     "USUARIOIMP) VALUES (%1,'%2','%3','%4','N','01/12/2026','07:00:00','JOANA')")
                                 .arg(id)
                                 .arg(pedido, grupo, supplier));
}

void line(ProgramState& s, int header, const QString& supplier, const QString& barcode, const QString& qtd,
          const QString& description = "CAMISA", const QString& colour = "AZUL")
{
    s.ConexaoPedidos.execute(QString("INSERT INTO VORLA (IDPEDIDO,FORNECEDOR,CODIG_BARR,DESCRICAO,CODIG_COR,TAMANHO,"
                                     "QTD_IMPRES,PRECO) VALUES (%1,'%2','%3','%4','%5','GG','%6','59,90')")
                                 .arg(header)
                                 .arg(supplier, barcode, description, colour, qtd));
}

QString pdfText(const QString& file)
{
    QProcess p;
    p.start("pdftotext", {"-layout", file, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString("pdftotext failed: ") + p.readAllStandardError();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList documents(const QString& folder)
{
    return QDir(folder).entryList({"*.pdf"}, QDir::Files, QDir::Name);
}

// (NUMPROD, IMPRESSOR, DATA, HORA) of a header.
QStringList stampOf(ProgramState& s, int id)
{
    const Recordset r = s.ConexaoPedidos.query(QString("SELECT * FROM VORLAPEDIDOS WHERE IDCODIGO = %1").arg(id));
    return {r.text("NUMPROD"), r.text("IMPRESSOR"), r.text("DATA"), r.text("HORA")};
}

} // namespace

class TstPackingList : public QObject {
    Q_OBJECT
private slots:
    void init() { regional::setFixedNow(QDateTime(QDate(2026, 12, 6), QTime(10, 11, 12))); }
    void cleanup() { regional::setFixedNow(std::nullopt); }

    void blocksPerSupplierWithProductionNumbers()
    {
        TempHome home;
        ProgramState& s = home.state();
        header(s, 17, "P17", "ALFA");
        header(s, 18, "P18", "ALFA");
        header(s, 19, "P19", "BETA");
        header(s, 20, "P20", "ALFA");
        line(s, 17, "ALFA", "1700000000001", "10", "DESCRICAO COM MAIS DE VINTE LETRAS");
        line(s, 17, "ALFA", "1700000000002", "5");
        line(s, 18, "ALFA", "1800000000001", "7");
        line(s, 19, "BETA", "1900000000001", "3");
        line(s, 20, "ALFA", "2000000000001", "1,5");

        ScriptedOperator op;
        const QString folder = home.path() + "/pdf";
        op.pagePrinters << folder;
        printPackingListFromMenu(s, op);

        QCOMPARE(op.messages(), QStringList{"ROMANEIO DA VORLA IMPRESSO COM SUCESSO! ROMANEIO NUMERO: 19"});
        QCOMPARE(op.shown.last().icon, Operator::Icon::Information);
        for (int id : {17, 18, 20})
            QCOMPARE(stampOf(s, id), (QStringList{"0000000017", "S", "06/12/2026", "10:11:12 "}));
        QCOMPARE(stampOf(s, 19), (QStringList{"0000000019", "S", "06/12/2026", "10:11:12 "}));

        QCOMPARE(documents(folder), (QStringList{"romaneio-1.pdf", "romaneio-2.pdf"}));
        const QString alfa = pdfText(folder + "/romaneio-1.pdf");
        const QString beta = pdfText(folder + "/romaneio-2.pdf");
        QVERIFY2(alfa.contains("RELATÓRIO DE ETIQUETAS IMPRESSAS"), qPrintable(alfa));
        QVERIFY2(alfa.contains(QRegularExpression("Número de Produção:\\s+000000017\\s+DATA: 06/12/2026\\s+HORA: "
                                                  "10:11:12\\s+Usuário: JOANA")),
                 qPrintable(alfa));
        QVERIFY(alfa.contains(QRegularExpression("COD. BARRAS\\s+PEDIDO\\s+DESCRIÇÃO\\s+COR\\s+TAM\\s+QTD\\s+PRECO")));
        QCOMPARE(alfa.count("COD. BARRAS"), 3);  // one heading per order
        // Each detail line keeps its values apart, in column order; the description is cut at 20.
        QVERIFY2(alfa.contains(QRegularExpression(
                     "1700000000001\\s+P17\\s+DESCRICAO COM MAIS D\\s+AZUL\\s+GG\\s+10\\s+59,90\\n")),
                 qPrintable(alfa));
        QVERIFY(!alfa.contains("DESCRICAO COM MAIS DE"));
        QVERIFY(alfa.contains(QRegularExpression("2000000000001\\s+P20\\s+CAMISA\\s+AZUL\\s+GG\\s+1,5\\s+59,90")));
        QVERIFY(alfa.contains(QRegularExpression("FORNECEDOR: ALFA\\s+PEDIDO:\\s+P17\\s+TOTAL\\s+15\\n")));
        QVERIFY(alfa.contains(QRegularExpression("FORNECEDOR: ALFA\\s+PEDIDO:\\s+P18\\s+TOTAL\\s+7\\n")));
        QVERIFY(alfa.contains(QRegularExpression("FORNECEDOR: ALFA\\s+PEDIDO:\\s+P20\\s+TOTAL\\s+1,5\\n")));
        QVERIFY(alfa.contains(QRegularExpression("TOTAL DE ETIQUETAS\\s+23,5")));
        QVERIFY(!alfa.contains("1900000000001"));
        QVERIFY(beta.contains(QRegularExpression("Número de Produção:\\s+000000019")));
        QVERIFY(beta.contains(QRegularExpression("1900000000001\\s+P19")));
        QVERIFY(beta.contains(QRegularExpression("TOTAL DE ETIQUETAS\\s+3")));

        op.shown.clear();
        printPackingListFromMenu(s, op);  // everything is stamped now
        QCOMPARE(op.messages(), QStringList{"NÃO EXISTE PEDIDO DA VORLA A SER IMPRESSO!"});
        QCOMPARE(op.shown.size(), 1);  // no printer dialog
    }

    void longValueMovesNextColumnToNextLine()
    {
        TempHome home;
        ProgramState& s = home.state();
        header(s, 1, "P1", "ALFA");
        line(s, 1, "ALFA", "123", "4", "CAMISA", "AZUL-MARINHO-ESCURO-COM-LISTRAS-BRANCAS");
        ScriptedOperator op;
        op.pagePrinters << home.path();
        printPackingListFromMenu(s, op);
        const QString text = pdfText(home.path() + "/romaneio-1.pdf");
        // The colour reaches past the size's column: the size starts on the next line.
        QVERIFY2(text.contains(QRegularExpression("123\\s+P1\\s+CAMISA\\s+AZUL-MARINHO-ESCURO-COM-LISTRAS-BRANCAS *\\n"
                                                  "\\s+GG\\s+4\\s+59,90\\n")),
                 qPrintable(text));
    }

    void headersWithoutLinesOfTheirSupplier()
    {
        TempHome home;
        ProgramState& s = home.state();
        header(s, 30, "P30", "GAMA");   // no lines at all
        header(s, 31, "P31", "GAMA");   // lines
        header(s, 40, "P40", "DELTA");  // its lines name another supplier
        line(s, 31, "GAMA", "3100000000001", "2");
        line(s, 40, "OUTRO", "4000000000001", "9");
        ScriptedOperator op;
        op.pagePrinters << home.path() + "/pdf";
        printPackingListFromMenu(s, op);

        QCOMPARE(stampOf(s, 30).first(), QString("0000000030"));
        QCOMPARE(stampOf(s, 31).first(), QString("0000000030"));
        QCOMPARE(stampOf(s, 40), (QStringList{"0000000040", "S", "06/12/2026", "10:11:12 "}));
        QCOMPARE(op.messages(), QStringList{"ROMANEIO DA VORLA IMPRESSO COM SUCESSO! ROMANEIO NUMERO: 30"});
        const QString delta = pdfText(home.path() + "/pdf/romaneio-1.pdf");  // DELTA sorts first
        QVERIFY(delta.contains(QRegularExpression("Número de Produção:\\s+000000040")));
        QVERIFY(!delta.contains("4000000000001"));
        QVERIFY(delta.contains(QRegularExpression("TOTAL DE ETIQUETAS\\s+0")));
        const QString gama = pdfText(home.path() + "/pdf/romaneio-2.pdf");
        QVERIFY(gama.contains(QRegularExpression("3100000000001\\s+P31")));
    }

    void reimportedOrderIsPrintedOnce()
    {
        TempHome home;
        ProgramState& s = home.state();
        header(s, 5, "P5", "ALFA");
        header(s, 6, "P5", "ALFA");  // the same order imported again
        line(s, 5, "ALFA", "5000000000001", "1");
        line(s, 6, "ALFA", "6000000000001", "2");
        ScriptedOperator op;
        op.pagePrinters << home.path();
        printPackingListFromMenu(s, op);
        const QString text = pdfText(home.path() + "/romaneio-1.pdf");
        QCOMPARE(text.count("5000000000001"), 1);
        QCOMPARE(text.count("6000000000001"), 1);
        QCOMPARE(text.count(QRegularExpression("PEDIDO:\\s+P5\\s+TOTAL")), 2);
        QCOMPARE(documents(home.path()).size(), 1);
        QCOMPARE(stampOf(s, 6).first(), QString("0000000005"));
    }

    void cancelledPrinterDialogStampsNothing()
    {
        TempHome home;
        ProgramState& s = home.state();
        header(s, 1, "P1", "ALFA");
        line(s, 1, "ALFA", "1", "1");
        ScriptedOperator op;
        op.pagePrinters << std::nullopt;
        printPackingListFromMenu(s, op);
        QVERIFY(op.messages().isEmpty());
        QCOMPARE(stampOf(s, 1), (QStringList{"", "N", "01/12/2026", "07:00:00"}));
    }
};

QTEST_MAIN(TstPackingList)
#include "tst_packing_list.moc"
