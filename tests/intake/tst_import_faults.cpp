#include "data/Recordset.h"
#include "intake/TextImport.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QFile>
#include <QtTest>

namespace {

QByteArray orderLine(const QByteArray& descricao) {
    return "INVERNO 26,FORN A,4711,REF-1,49.90,12,P-M-G,AZUL,M," + descricao +
           ",7891234567890,MASCULINO,CAMISA,10/01/2027,LAVAR A MAO,x,PACK3,4\r\n";
}

int lines(ProgramState& s) {
    return s.ConexaoPedidos.query(QStringLiteral("SELECT COUNT(*) AS N FROM VORLA"))
        .value(QStringLiteral("N"))
        .toInt();
}

} // namespace

// Bytes no order can hold make the line invalid; other control characters are data.
class TstImportFaults : public QObject {
    Q_OBJECT
  private slots:
    void nulByteMakesTheLineInvalid_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("lineNumber");
        QTest::newRow("first line") << orderLine(QByteArray("CAMISA\0", 7)) << 1;
        QTest::newRow("third line, after two good ones") << orderLine("A") + orderLine("B") +
                                                                orderLine(QByteArray("\0"
                                                                                     "90",
                                                                                     3))
                                                         << 3;
        QTest::newRow("Windows-1252 file")
            << orderLine("CORA\xc7\xc3O") + orderLine(QByteArray("X\0", 2)) << 2;
    }

    void nulByteMakesTheLineInvalid() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, lineNumber);
        TempHome home;
        ScriptedOperator op;
        const QString path = home.path() + QStringLiteral("/pedido.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        home.state().ArquivoTxt = path;

        QCOMPARE(CARREGATXT(home.state(), op, QStringLiteral("maria")), TextImportResult::Failed);

        QCOMPARE(op.messages(),
                 QStringList{QStringLiteral("Erro: 5-> FORMATO DE ARQUIVO INVÁLIDO!\nLinha %1: "
                                            "caractere nulo (código 0).")
                                 .arg(lineNumber)});
        QCOMPARE(lines(home.state()), 0);
        QVERIFY(QFile::exists(path));
    }

    void otherControlCharactersAreStored() {
        TempHome home;
        ScriptedOperator op;
        const QByteArray descricao("A\x01"
                                   "B\x1f"
                                   "C\x7f"
                                   "D\tE");
        const QString path = home.path() + QStringLiteral("/pedido.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(orderLine(descricao));
        file.close();
        home.state().ArquivoTxt = path;

        QCOMPARE(CARREGATXT(home.state(), op, QStringLiteral("maria")), TextImportResult::Imported);
        const Recordset rs = home.state().ConexaoPedidos.query(QStringLiteral("SELECT DESCRICAO FROM VORLA"));
        QCOMPARE(rs.text(QStringLiteral("DESCRICAO")), QString::fromLatin1(descricao));
    }
};

QTEST_GUILESS_MAIN(TstImportFaults)
#include "tst_import_faults.moc"
