// The packing list stays inside the printable area of the sheet, whatever the page
// printer's size and margins: every glyph box read back from the PDF. The order printed,
// data/long-values.sql, has values as long as an order file lets them be.
#include "intake/IntakeFixture.h"
#include "packing/PackingList.h"
#include "packing/PackingPage.h"
#include "support/DataRows.h"
#include "support/TempHome.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QtTest>

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

} // namespace

class TstPackingPage : public QObject {
    Q_OBJECT
  private slots:
    void everyGlyphInsideThePrintableArea_data() { addRowsFrom(DATA_DIR "/page-layouts.txt"); }
    void everyGlyphInsideThePrintableArea() {
        const DataRow r = dataRow();
        const qreal marginPt = r.number("margin");
        TempHome home;
        for (const QString& statement : dataLines("long-values.sql"))
            home.state().ConexaoPedidos.execute(statement);
        const QList<PackingBlock> blocks = readPackingBlocks(home.state());
        QCOMPARE(blocks.size(), 1);
        QTemporaryDir dir;
        const QString file = dir.filePath("romaneio.pdf");
        {
            QPdfWriter writer(file);
            writer.setResolution(1200);
            writer.setPageLayout(QPageLayout(
                QPageSize(r["paper"] == "A4" ? QPageSize::A4 : QPageSize::Letter), QPageLayout::Portrait,
                QMarginsF(marginPt, marginPt, marginPt, marginPt), QPageLayout::Point));
            QVERIFY(paintPackingDocument(writer, packingListLines(blocks[0], "06/12/2026", "10:11:12")));
        }
        QSizeF paper;
        const QList<Word> words = wordsOf(file, paper);
        QVERIFY(!words.isEmpty());
        const qreal edge = std::max(marginPt, 10 / 25.4 * 72); // the printable area: at least 10 mm in
        const QRectF printable(QPointF(edge, edge), QPointF(paper.width() - edge, paper.height() - edge));
        const qreal slack = 0.25; // rounding of the positions written into the PDF
        QStringList texts;
        qreal left = paper.width();
        for (const Word& w : words) {
            QVERIFY2(printable.adjusted(-slack, -slack, slack, slack).contains(w.box),
                     qPrintable(
                         QString("page %1: \"%2\" ends at x %3").arg(w.page).arg(w.text).arg(w.box.right())));
            texts << w.text;
            left = std::min(left, w.box.left());
        }
        QVERIFY(words.last().page >= 2);
        // Nothing cut or dropped: every value of every line, whole.
        for (const char* value : {"1.234.567,89", "EXTRA-GRANDE-ESPECIAL", "AZUL-MARINHO-ESCURO"})
            QCOMPARE(texts.count(value), 70);
        QCOMPARE(texts.count("RELATÓRIO"), 1);
        QCOMPARE(texts.count("789123456789000069"), 1);
        // Column 1 sits on the printable area's left edge.
        QVERIFY2(left - edge < 12, qPrintable(QString::number(left)));
    }
};

QTEST_MAIN(TstPackingPage)
#include "tst_packing_page.moc"
