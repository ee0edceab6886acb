// Pictures of the labels: every builder's job drawn, its barcodes read back with zbar;
// offsets seen in the ink, blank columns left blank; faulty jobs told apart; the picture printer, the
// preview capture, the dialog and --render.
#include "labels/LabelFixture.h"

#include "labels/LabelJobs.h"
#include "labels/LabelTypes.h"
#include "labels/PreencheModelo.h"
#include "printing/ImprimeDireto.h"
#include "render/LabelPreviewDialog.h"
#include "render/PngPrinter.h"
#include "render/PreviewOperator.h"
#include "render/ZplRenderer.h"
#include "support/DataRows.h"

#include <QtTest>
#include <QtWidgets>

#include <zbar.h>

namespace {
using namespace zbar;

// Every symbol zbar finds in the picture, as "TYPE:data". zbar tells a symbol once per
// picture however often it shows, so labels side by side are read one column at a time.
QStringList decode(const QImage& picture) {
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    QByteArray bytes;
    for (int y = 0; y < grey.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(grey.constScanLine(y)), grey.width());
    ImageScanner scanner;
    scanner.set_config(ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
    scanner.set_config(ZBAR_CODE128, ZBAR_CFG_ENABLE, 1);
    scanner.set_config(ZBAR_QRCODE, ZBAR_CFG_ENABLE, 1);
    Image image(unsigned(grey.width()), unsigned(grey.height()), "Y800", bytes.constData(), bytes.size());
    scanner.scan(image);
    QStringList found;
    for (auto s = image.symbol_begin(); s != image.symbol_end(); ++s)
        found << QString::fromStdString(s->get_type_name() + ':' + s->get_data());
    found.sort();
    return found;
}

// The box around every dark dot of the label (the note band aside).
QRect ink(const QImage& picture, QRect within = {}) {
    if (within.isNull()) within = picture.rect();
    QRect box;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (qGray(picture.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    return box;
}

// A layout's job filled from the fixture's order line, as a builder sends it.
QByteArray filled(QString job, const LabelSettings& settings) {
    double qtd = 40;
    QString darkness = QStringLiteral("10");
    PreencheModelo(job, qtd, darkness, 4, orderLine(), settings);
    return job.toLatin1();
}

// The 100x40 pack job of `volumes` volumes, from the fixture's order line.
QString packJob(int volumes) {
    double qtd = volumes;
    return jobs::pack(settingsFor(labeltype::Pack, "P1"), {1, qtd, qtd, false}, qtd, QStringLiteral("10"), 4,
                      orderLine());
}
} // namespace

class tst_render : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { render::installPngPrinter(); }

    void builders_data() { addRowsFrom(DATA_DIR "/builders.txt"); }

    // The job the printer receives and the job a preview captures are the same bytes; every
    // picture's symbols read back as the line's barcode (or the pack data with its volume),
    // and label columns left unfilled stay blank.
    void builders() {
        const DataRow r = dataRow();
        const LabelBench::Builder builder = LabelBench::builderFor(labelType(r["type"]));
        QList<int> edges;
        for (const QString& x : r["edges"].split(u' '))
            edges << x.toInt();

        LabelBench bench;
        bench.settings = settingsFor(labelType(r["type"]), r["boxes"]);
        double printed = r.number("qtd");
        QCOMPARE(bench.run(builder, printed), LabelResult::Printed);
        const QList<QByteArray> sent = bench.printer.waitForJobs(1);

        const qsizetype readBefore = bench.op.readLog.size();
        const QList<QByteArray> captured = capturedJobs(bench.op, [&](Operator& preview) {
            LabelContext ctx{bench.home.state(), preview, orderLine(), bench.settings};
            double previewed = r.number("qtd");
            builder(ctx, previewed, QStringLiteral("10"), QStringLiteral("04"), QStringLiteral("00"), 0);
        });
        QCOMPARE(captured, sent);
        QCOMPARE(bench.op.readLog.size(), readBefore); // no read-back during a preview

        const render::RenderResult result = render::renderJobs(captured);
        QVERIFY2(result.ok(), qPrintable(result.error));
        QStringList found;
        for (const render::RenderedLabel& label : result.labels) {
            QVERIFY2(label.notShown.isEmpty(), qPrintable(label.notShown.join(u' ')));
            QCOMPARE(label.picture.size(), QSize(edges.last(), r["height"].toInt()));
            for (int c = 0; c + 1 < edges.size(); ++c) {
                const QRect column(edges[c], 0, edges[c + 1] - edges[c], label.picture.height());
                const QStringList symbols = decode(label.picture.copy(column));
                QCOMPARE(ink(label.picture, column).isNull(), symbols.isEmpty());
                found << symbols;
            }
        }
        found.sort();
        QString expected = r["symbols"];
        expected.replace("CB", "CODE-128:7891234567890").replace("QR", "QR-Code:6|10.22.3344|451207|");
        QCOMPARE(found.join(u' '), expected);
    }

    void offsetMovesInk() {
        for (const QPoint offset : {QPoint(24, 16), QPoint(-8, -5)}) {
            LabelSettings settings = settingsFor(labeltype::Costura5023, "");
            const QImage plain =
                render::renderJob(filled(jobs::costura5023(settings), settings)).labels.value(0).picture;
            settings.cbocoluna = QString::number(offset.x());
            settings.cbolargura = QString::number(offset.y());
            const QImage moved =
                render::renderJob(filled(jobs::costura5023(settings), settings)).labels.value(0).picture;
            QCOMPARE(ink(moved).topLeft() - ink(plain).topLeft(), offset);
        }
    }

    void faultyJobs_data() {
        addRowsFrom(DATA_DIR "/faulty-jobs.txt");
        // A real job cut short anywhere ends in an error, never in a crash.
        LabelSettings settings = settingsFor(labeltype::Preco5426, "P1");
        const QByteArray full = filled(jobs::preco5426Single(settings), settings);
        for (const qsizetype cut : {qsizetype(1), full.size() / 3, full.size() / 2, full.size() - 3})
            QTest::addRow("cortado em %lld", qlonglong(cut))
                << QString("-1") << QString("*") << QString::fromLatin1(full.left(cut));
    }

    void faultyJobs() {
        QFETCH(QString, job);
        QFETCH(QString, labels);
        QFETCH(QString, problem);
        const render::RenderResult result = render::renderJob(job.replace("\\x10", "\x10").toLatin1());
        if (labels.toInt() >= 0) QCOMPARE(result.labels.size(), labels.toInt());
        if (problem == QLatin1String("*")) {
            QVERIFY(!result.ok());
        } else if (problem.startsWith(QLatin1Char('^')) || problem.startsWith(QLatin1Char('~'))) {
            QVERIFY2(result.ok(), qPrintable(result.error));
            QCOMPARE(result.labels.last().notShown.join(u' '), problem);
            // The note is visible: red under the label.
            const QImage& picture = result.labels.last().picture;
            QCOMPARE(picture.pixelColor(2, picture.height() - 2), QColor(255, 235, 235));
        } else {
            QVERIFY2(result.error.startsWith(problem), qPrintable(result.error));
        }
    }

    // "png:" writes the job as "file:" does and, beside it, one picture per label format
    // (numbered when there are several); --render draws the same picture from a job's file.
    void pictureFolderPrinter() {
        QTemporaryDir dir;
        const QString job = packJob(2);
        QVERIFY(ImprimeDireto(QStringLiteral("png:") + dir.path(), QStringLiteral("VORLA"), job));
        QVERIFY(ImprimeDireto(QStringLiteral("png:") + dir.path(), QStringLiteral("VORLA"), packJob(1)));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 (QStringList{"000001-VORLA-1.png", "000001-VORLA-2.png", "000001-VORLA.zpl",
                              "000002-VORLA.png", "000002-VORLA.zpl"}));
        QFile written(dir.filePath(QStringLiteral("000001-VORLA.zpl")));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), job.toLatin1());
        QCOMPARE(decode(QImage(dir.filePath(QStringLiteral("000001-VORLA-2.png")))),
                 QStringList{QStringLiteral("QR-Code:6|10.22.3344|451207|002")});

        QProcess run;
        run.start(QStringLiteral(ETIQUETAS_EXE),
                  {QStringLiteral("--render"), dir.filePath("000002-VORLA.zpl"), dir.filePath("out.png")});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 0);
        QCOMPARE(QImage(dir.filePath("out.png")), QImage(dir.filePath("000002-VORLA.png")));
    }

    void previewDialogPages() {
        LabelPreviewDialog dialog({packJob(3).toLatin1()});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Visualizar"));
        auto* next = dialog.findChild<QPushButton*>(QStringLiteral("cmdproxima"));
        auto* previous = dialog.findChild<QPushButton*>(QStringLiteral("cmdanterior"));
        QVERIFY(!previous->isEnabled());
        next->click();
        next->click();
        QVERIFY(!next->isEnabled());
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblpagina"))->text(),
                 QStringLiteral("Etiqueta 3 de 3"));
    }
};

QTEST_MAIN(tst_render)
#include "tst_render.moc"
