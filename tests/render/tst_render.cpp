// Pictures of the labels: every builder's job drawn, its barcodes read back with zbar;
// offsets seen in the ink, blank columns left blank; jobs read as a printer reads them
// (odd values, placement, the commands drawn, what is named as not shown); code pages;
// every golden job drawn whole; the picture printer, the preview capture, the dialog and
// --render.
#include "labels/LabelFixture.h"

#include "labels/LabelJobs.h"
#include "labels/LabelTypes.h"
#include "labels/PreencheModelo.h"
#include "printing/ImprimeDireto.h"
#include "render/CodePages.h"
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
    for (const zbar_symbol_type_t type : {ZBAR_EAN13, ZBAR_EAN8, ZBAR_UPCA, ZBAR_CODE39, ZBAR_CODE93, ZBAR_CODABAR, ZBAR_I25})
        scanner.set_config(type, ZBAR_CFG_ENABLE, 1);
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

// The rows of the red note band at the foot of a picture (0 without notes).
int noteBand(const render::RenderedLabel& label) {
    if (label.notShown.isEmpty()) return 0;
    int y = label.picture.height();
    while (y > 0 && label.picture.pixelColor(0, y - 1) == QColor(255, 235, 235))
        --y;
    return label.picture.height() - y;
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

    void jobs_data() {
        addRowsFrom(DATA_DIR "/jobs.txt");
        // A real job cut short anywhere still draws what it holds, never crashes.
        LabelSettings settings = settingsFor(labeltype::Preco5426, "P1");
        const QByteArray full = filled(jobs::preco5426Single(settings), settings);
        for (const qsizetype cut : {full.size() / 3, full.size() / 2, full.size() - 3})
            QTest::addRow("cortado em %lld", qlonglong(cut)) << "1" << "-" << "-" << "-" << "0" << "-" << "*" << "*"
                                                             << QString::fromLatin1(full.left(cut));
    }

    void jobs() {
        // Some rows are added in code, so the cells are fetched from the test data itself.
        DataRow r;
        for (const char* column : {"labels", "copies", "size", "ink", "tol", "white", "symbols", "notes", "job"})
            r.cells.insert(column, *static_cast<QString*>(QTest::qData(column, qMetaTypeId<QString>())));
        QString job = r["job"];
        const render::RenderResult result = render::renderJob(job.replace("\\x10", "\x10").toLatin1());
        QCOMPARE(result.labels.size(), r["labels"].toInt());
        if (r["notes"].startsWith(QLatin1String("erro: "))) {
            QVERIFY2(result.error.startsWith(r["notes"].mid(6)), qPrintable(result.error));
            return;
        }
        QVERIFY2(result.ok(), qPrintable(result.error));
        const render::RenderedLabel& label = result.labels.last();
        if (r["notes"] != u'*') QCOMPARE(label.notShown.join(QStringLiteral(", ")), r["notes"]);
        if (r["copies"] != u'-') QCOMPARE(label.copies, r["copies"].toInt());
        const QImage& picture = label.picture;
        if (r["size"] != u'-') QCOMPARE(QStringLiteral("%1 %2").arg(picture.width()).arg(picture.height()), r["size"]);
        // The note, when there is one, shows: red under the label.
        if (!label.notShown.isEmpty()) QCOMPARE(picture.pixelColor(2, picture.height() - 2), QColor(255, 235, 235));
        if (r["ink"] != u'-') {
            const QRect found = ink(picture, QRect(0, 0, picture.width(), picture.height() - noteBand(label)));
            const QStringList want = r["ink"].split(u' ', Qt::SkipEmptyParts);
            const int got[] = {found.x(), found.y(), found.width(), found.height()};
            for (int i = 0; i < 4; ++i)
                if (want[i] != QLatin1String("-1"))
                    QVERIFY2(std::abs(got[i] - want[i].toInt()) <= r["tol"].toInt(),
                             qPrintable(QStringLiteral("tinta em %1 %2 %3 %4").arg(got[0]).arg(got[1]).arg(got[2]).arg(got[3])));
        }
        if (r["white"] != u'-')
            for (const QString& dot : r["white"].split(u';')) {
                const QStringList xy = dot.split(u' ', Qt::SkipEmptyParts);
                QCOMPARE(picture.pixelColor(xy[0].toInt(), xy[1].toInt()), QColor(Qt::white));
            }
        if (r["symbols"] != u'*') {
            QString want = r["symbols"];
            want.replace(QRegularExpression(QStringLiteral("\\bC:")), QStringLiteral("CODE-128:"))
                .replace(QRegularExpression(QStringLiteral("\\bQ:")), QStringLiteral("QR-Code:"));
            QCOMPARE(decode(picture).join(u' '), want);
        }
    }

    void codePages_data() { addRowsFrom(DATA_DIR "/codepages.txt"); }

    void codePages() {
        const DataRow r = dataRow();
        const QByteArray bytes = QByteArray::fromHex(r["bytes"].toLatin1());
        QCOMPARE(render::decodeField(bytes, r["ci"].toInt()), r["text"].remove(u' '));
    }

    // Every job this program writes draws whole: no error, nothing left unshown.
    void goldenJobs_data() {
        QTest::addColumn<QString>("file");
        for (const char* area : {"labels", "production"}) {
            const QDir folder(QStringLiteral(DATA_DIR "/../../%1/golden").arg(area));
            const QFileInfoList files = folder.entryInfoList({QStringLiteral("*.zpl")}, QDir::Files);
            QVERIFY(!files.isEmpty());
            for (const QFileInfo& file : files)
                QTest::addRow("%s/%s", area, qPrintable(file.fileName())) << file.filePath();
        }
    }

    void goldenJobs() {
        QFETCH(QString, file);
        QFile job(file);
        QVERIFY(job.open(QIODevice::ReadOnly));
        const render::RenderResult result = render::renderJob(job.readAll());
        QVERIFY2(result.ok(), qPrintable(result.error));
        QVERIFY(!result.labels.isEmpty());
        for (const render::RenderedLabel& label : result.labels)
            QVERIFY2(label.notShown.isEmpty(), qPrintable(label.notShown.join(u' ')));
    }

    // "png:" writes the job as "file:" does and, beside it, one picture per label format
    // (numbered when there are several); --render draws the same picture from a job's file.
    void pictureFolderPrinter() {
        QTemporaryDir dir;
        const QString job = packJob(2);
        QVERIFY(ImprimeDireto(QStringLiteral("png:") + dir.path(), QStringLiteral("VORLA"), job));
        QVERIFY(ImprimeDireto(QStringLiteral("png:") + dir.path(), QStringLiteral("VORLA"), packJob(1)));
        // A job with nothing to draw is still sent; a text file says why it has no picture.
        QVERIFY(ImprimeDireto(QStringLiteral("png:") + dir.path(), QStringLiteral("VORLA"), QStringLiteral("~JA")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 (QStringList{"000001-VORLA-1.png", "000001-VORLA-2.png", "000001-VORLA.zpl",
                              "000002-VORLA.png", "000002-VORLA.zpl", "000003-VORLA.txt", "000003-VORLA.zpl"}));
        QFile why(dir.filePath(QStringLiteral("000003-VORLA.txt")));
        QVERIFY(why.open(QIODevice::ReadOnly));
        QCOMPARE(why.readAll(), QByteArray("Etiquetas não desenhadas: O trabalho não tem nenhuma etiqueta (^XA).\n"));
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
