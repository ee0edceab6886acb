// The label jobs of every builder filled from an order line of any texts. A field's
// value may never start a command or end a field: the filled job holds exactly the
// command characters (^ and ~) of the same job filled from a plain line.
#include "FuzzSupport.h"

#include "data/Recordset.h"
#include "labels/LabelJobs.h"
#include "labels/LabelTypes.h"
#include "labels/PreencheModelo.h"
#include "labels/QuantityRules.h"
#include "printing/Windows1252.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

const QStringList kColumns{
    QStringLiteral("COLECAO"),   QStringLiteral("CODIG_PROD"), QStringLiteral("LOTE"),
    QStringLiteral("PRECO"),     QStringLiteral("CODIG_COR"),  QStringLiteral("TAMANHO"),
    QStringLiteral("DESCRICAO"), QStringLiteral("CODIG_BARR"), QStringLiteral("CATEGORIA"),
    QStringLiteral("TIPO_PROD"), QStringLiteral("MENSAGEM"),   QStringLiteral("PROMOCIONAL"),
    QStringLiteral("DATA"),      QStringLiteral("RQTD")};

// A text from the input, any character: under ^FH\ the filling writes ^, ~ and \ as
// the printer's hexadecimal escapes, so none of them may show up as a command.
QString fieldText(FuzzedDataProvider& in) {
    return QString::fromUtf8(QByteArray::fromStdString(in.ConsumeRandomLengthString(80)));
}

// A barcode holding ^, ~ or \ is refused by the builders before any job is filled
// (a barcode field reads its data as it is), so the filling never sees one.
QString barcodeText(FuzzedDataProvider& in) {
    QString text = fieldText(in);
    text.remove(QLatin1Char('^'));
    text.remove(QLatin1Char('~'));
    text.remove(QLatin1Char('\\'));
    return text;
}

qsizetype commandCharacters(const QString& job) {
    return job.count(QLatin1Char('^')) + job.count(QLatin1Char('~'));
}

// The job of `caption` (first or second layout) filled from `line`.
QString filledJob(const QString& caption, bool second, LabelSettings settings, double Qtd, const Record& line,
                  const QString& confLinha5) {
    settings.producaoCaption = caption;
    if (caption == labeltype::Pack) {
        const jobs::PackVolumes volumes{1, Qtd, Qtd, false};
        return jobs::pack(settings, volumes, Qtd, QStringLiteral("10"), 4, line);
    }
    QString job;
    if (caption == labeltype::Preco5426)
        job = second ? jobs::preco5426FourAcross(settings) : jobs::preco5426Single(settings);
    if (caption == labeltype::Tag5360) job = jobs::tag5360(settings, confLinha5);
    if (caption == labeltype::Costura5016)
        job = second ? jobs::costura5016SixAcross(settings) : jobs::costura5016Single(settings);
    if (caption == labeltype::Costura5023) job = jobs::costura5023(settings);
    if (caption == labeltype::Basket3225) job = jobs::basket3225(settings);
    PreencheModelo(job, Qtd, QStringLiteral("10"), 4, line, settings);
    return job;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::startQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    static const QStringList captions{labeltype::Preco5426,   labeltype::Tag5360,    labeltype::Costura5016,
                                      labeltype::Costura5023, labeltype::Basket3225, labeltype::Pack};
    const QString caption = captions.at(in.ConsumeIntegralInRange<int>(0, int(captions.size()) - 1));
    const bool second = in.ConsumeBool();
    LabelSettings settings;
    settings.producaoVisivel = true;
    settings.producao.Check1 = in.ConsumeBool();
    settings.producao.Check2 = in.ConsumeBool();
    settings.TXTPORCENTAGEM = QString::number(in.ConsumeIntegralInRange<int>(0, 300));
    settings.cbocoluna = QString::number(in.ConsumeIntegralInRange<int>(-99, 99));
    settings.cbolargura = QString::number(in.ConsumeIntegralInRange<int>(-99, 99));
    // Pack jobs grow with the volumes; a few show every path.
    const double Qtd = caption == labeltype::Pack ? in.ConsumeIntegralInRange<int>(0, 12)
                                                  : in.ConsumeFloatingPointInRange<double>(-1e4, 1e4);
    const QString confLinha5 = fieldText(in);

    const auto columns = std::make_shared<const QStringList>(kColumns);
    QVariantList fuzzed, plain;
    for (qsizetype i = 0; i < kColumns.size(); ++i) {
        fuzzed << (kColumns[i] == QLatin1String("CODIG_BARR") ? barcodeText(in) : fieldText(in));
        plain << QStringLiteral("0");
    }
    const QString job = filledJob(caption, second, settings, Qtd, Record(columns, fuzzed), confLinha5);
    const QString reference =
        filledJob(caption, second, settings, Qtd, Record(columns, plain), QStringLiteral("0"));
    if (commandCharacters(job) != commandCharacters(reference))
        fuzz::finding(QStringLiteral("a field value changed the job's commands:\n") + job);
    (void)toWindows1252(job);
    return 0;
}
