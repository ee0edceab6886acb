#pragma once

#include "data/Recordset.h"
#include "labels/LabelSettings.h"
#include "production/OrderClosing.h"
#include "production/ProductionTypes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

class Operator;
struct ProgramState;

// What the production window shows: the captions of its labels, the warning, and the
// running total of the order summary. The window copies it to its controls.
struct ProductionDisplay {
    QString lblprod;  // the production number being worked, ten digits
    QString LBLFORN;
    // The current line ("Imprimindo").
    QString LBLPEDIDO, LBLDESCRICAO, LBLTAM, LBLCODIGOBARRAS, LBLQTD, LBLPRECO;
    // The next line ("Proximo").
    QString lblpedido1, lbldescricao1, lbltamanho1, lblcodigobarras1, lblqtd1, lblpreco1;
    bool LBLVISOR = false;  // "ATENÇÃO PROXIMO PEDIDO"
    QString TotalPedido = QStringLiteral("0");
    // The production number entered last and the order closed last, which the summary
    // reprint offers (lblprod is cleared once a production number is done).
    QString lastProduction;
    QString lastClosedOrder;
    // Lines of the production number for this label type: still to print, and in all.
    int linesLeft = 0;
    int linesTotal = 0;
};

// The printer settings of the window at a click.
struct ProductionSettings {
    QString cbotemp;
    QString cbovelocidade;
    QString cbocoluna;
    QString cbolargura;
    bool optionBoxesVisible = false;
    LabelSettings labels;  // what the label engine reads from the printing windows
};

// One label type's production run over the order store: finding and taking the current
// line, showing the next one, printing a line with its order summary, and calibration.
class ProductionRun {
public:
    // `user`, the logged-in user, is recorded with the jobs of calibrations and summaries
    // (a click names its own).
    ProductionRun(ProgramState& state, Operator& op, const ProductionType& type, QString user = {});

    // Enter in txtproducao: the typed number becomes lblprod; the order summaries still
    // owed for it are printed (the operator is told first), then the current line loads.
    bool enterProductionNumber(const QString& typed, ProductionDisplay& display, const ProductionSettings& settings);
    // Shows the first line still to print and marks it 'A'; false (display cleared) when
    // the production number offers nothing more for this type.
    bool CARREGAPRODUCAO(ProductionDisplay& display);
    void MOSTRAPROXIMO(ProductionDisplay& display);
    // The print button: prints the current line, marks it 'S', closes the order with its
    // summary label after its last line, and loads the next line. False when nothing
    // was printed (the operator was told why, and nothing was marked).
    bool Cmdimprimir(ProductionDisplay& display, const ProductionSettings& settings, const QString& user);
    // "Reimprimir Resumo": the summary label of an order of a production number printed
    // again, by the same code as after the order's last line; nothing is written.
    bool reprintSummary(const QString& lblprod, const QString& pedido, const ProductionSettings& settings);
    // Calibration: the current line printed with the quantity 5; nothing is written.
    void cmdcalibracao(const ProductionDisplay& display, const ProductionSettings& settings);
    // "Visualizar": the jobs the next click would send (the line's labels and, when the
    // line ends its order, the summary label), built by the same builders; nothing is
    // sent, asked back or written.
    QList<QByteArray> previewJobs(const ProductionDisplay& display, const ProductionSettings& settings);

private:
    struct LineToPrint;
    std::optional<LineToPrint> lineToPrint(const ProductionDisplay& display, const ProductionSettings& settings);
    LabelResult printLine(LineToPrint& line, const ProductionSettings& settings, Operator& op);
    // Takes the first line of the production number free for this station, other than
    // `skipped`; none when nothing is left for it.
    std::optional<Record> takeFirstLine(const QString& lblprod, qint64 skipped = 0);
    // Shows a taken line as the current one with the next under it, or clears the display.
    bool showCurrent(ProductionDisplay& display, const std::optional<Record>& row);
    QString summaryLabel(QString& TotalPedido, const QString& lblprod, const QString& pedido, const Record& line,
                         const ProductionSettings& settings);
    // Sends an owed summary (or, without an owed row, a reprint); once the printer took
    // it, it is owed no more. False (the operator was told, and it stays owed) when it
    // did not print.
    // `printedLine` gives the order's number and supplier when a click closed it.
    bool printSummary(const QString& lblprod, const OrderClosing::Owed& owed, const ProductionSettings& settings,
                      const Record* printedLine = nullptr, QString* TotalPedido = nullptr);
    void printOwedSummaries(const QString& lblprod, const ProductionSettings& settings);
    void countLines(ProductionDisplay& display);

    ProgramState& m_state;
    Operator& m_op;
    const ProductionType& m_type;
    QString m_user;
};
