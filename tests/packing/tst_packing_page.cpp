// The packing list stays inside the printable area of the sheet, whatever the page
// printer's size and margins: every glyph box read back from the PDF.
#include "packing/PackingList.h"
#include "packing/PackingPage.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Word {
    int page;
    QRectF box; // points
    QString text;
};

// Every word of the PDF with its box, as pdftotext reads it.
QList<Word> wordsOf(const QString& file, QSizeF& pageSize) {
    QProcess p;
    p.start("pdftotext", {"-bbox", file, "-"});
    if (!p.waitForFinished(30000)) return {};
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression tag(
        "<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
        "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>");
    QList<Word> words;
    int page = 0;
    for (const auto& m : tag.globalMatch(out)) {
        if (!m.captured(1).isEmpty()) {
            pageSize = QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
            ++page;
            continue;
        }
        words << Word{page,
                      QRectF(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                             QPointF(m.captured(5).toDouble(), m.captured(6).toDouble())),
                      m.captured(7)};
    }
    return words;
}

// An order whose every value is as long as an order file lets it be, and long enough
// to fill more than one sheet.
PackingBlock longValuedBlock() {
    static const auto columns = std::make_shared<const QStringList>(
        QStringList{"CODIG_BARR", "DESCRICAO", "CODIG_COR", "TAMANHO", "QTD_IMPRES", "PRECO"});
    PackingOrder order;
    order.pedido = "PEDIDO-0000123456789";
    order.supplier = "FORNECEDOR DE NOME MUITO COMPRIDO LTDA";
    for (int i = 0; i < 70; ++i)
        order.lines << Record(columns, QVariantList{QString("789123456789%1").arg(i, 6, 10, QLatin1Char('0')),
                                                    "CAMISETA MANGA LONGA", "AZUL-MARINHO-ESCURO",
                                                    "EXTRA-GRANDE-ESPECIAL", "1234567", "1.234.567,89"});
    order.total = 70 * 1234567.0;
    PackingBlock block;
    block.productionNumber = 17;
    block.user = "USUARIO-COM-NOME-LONGO";
    block.orders << order;
    block.total = order.total;
    return block;
}
} // namespace

class TstPackingPage : public QObject {
    Q_OBJECT
  private slots:
    void everyGlyphInsideThePrintableArea_data() {
        QTest::addColumn<int>("pageSize");
        QTest::addColumn<qreal>("marginPt");
        // Qt's PDF printer of the printer dialog leaves 10 points; a printer that claims
        // borderless printing none; an office laser about 18.
        QTest::newRow("A4, PDF printer") << int(QPageSize::A4) << 10.0;
        QTest::newRow("Letter, PDF printer") << int(QPageSize::Letter) << 10.0;
        QTest::newRow("A4, borderless") << int(QPageSize::A4) << 0.0;
        QTest::newRow("Letter, borderless") << int(QPageSize::Letter) << 0.0;
        QTest::newRow("A4, wide margins") << int(QPageSize::A4) << 40.0;
    }

    void everyGlyphInsideThePrintableArea() {
        QFETCH(int, pageSize);
        QFETCH(qreal, marginPt);
        QTemporaryDir dir;
        const QString file = dir.filePath("romaneio.pdf");
        {
            QPdfWriter writer(file);
            writer.setResolution(1200);
            writer.setPageLayout(
                QPageLayout(QPageSize(QPageSize::PageSizeId(pageSize)), QPageLayout::Portrait,
                            QMarginsF(marginPt, marginPt, marginPt, marginPt), QPageLayout::Point));
            QVERIFY(
                paintPackingDocument(writer, packingListLines(longValuedBlock(), "06/12/2026", "10:11:12")));
        }
        QSizeF paper;
        const QList<Word> words = wordsOf(file, paper);
        QVERIFY(!words.isEmpty());
        const qreal edge = std::max(marginPt, 10 / 25.4 * 72); // the printable area: at least 10 mm in
        const QRectF printable(QPointF(edge, edge), QPointF(paper.width() - edge, paper.height() - edge));
        const qreal slack = 0.25; // rounding of the positions written into the PDF
        for (const Word& w : words)
            QVERIFY2(printable.adjusted(-slack, -slack, slack, slack).contains(w.box),
                     qPrintable(QString("page %1: \"%2\" ends at x %3").arg(w.page).arg(w.text).arg(w.box.right())));
        QVERIFY(words.last().page >= 2);

        // Nothing cut or dropped: every value of every line, whole.
        QStringList texts;
        for (const Word& w : words)
            texts << w.text;
        for (const char* value :
             {"1.234.567,89", "EXTRA-GRANDE-ESPECIAL", "AZUL-MARINHO-ESCURO", "RELATÓRIO"})
            QCOMPARE(texts.count(value), QString(value) == "RELATÓRIO" ? 1 : 70);
        QCOMPARE(texts.count("789123456789000069"), 1);
        // Column 1 sits on the printable area's left edge.
        qreal left = paper.width();
        for (const Word& w : words)
            left = std::min(left, w.box.left());
        QVERIFY2(left - edge < 12, qPrintable(QString::number(left)));
    }
};

QTEST_MAIN(TstPackingPage)
#include "tst_packing_page.moc"
