#pragma once

#include "session/Operator.h"
#include "session/ProgramState.h"
#include "data/Recordset.h"
#include "labels/LabelSettings.h"

// The six label builders. Each writes the jobs of its label type for one order line,
// sends them to ImpressoraSelecionada under the name "VORLA" and, after each job, has
// the operator read the printed barcode back (the pack label has no read-back).
//
// Qtd is the caller's quantity and changes as the quantity rules compute it.
// Temperatura goes into the printer unchanged; Velocidade is the speed text; Coluna and
// Largura are the offset texts the windows pass along (the offsets themselves are read
// from the settings at every field).

// What became of the line's labels. Only Printed means every job went out and every
// reading matched, so only then may a line be marked printed.
enum class LabelResult {
    Printed,
    NothingSelected,  // no layout chosen: nothing was sent
    InvalidSettings,  // offsets, percentage or speed are no numbers: nothing was sent
    InvalidData,      // the line's barcode holds a character no barcode field takes: nothing was sent
    QuantityRefused,  // the order line's quantity is past the bound of a line: nothing was sent
    PrinterRefused,   // a job was not accepted by the printer, or the printer was not ready and the
                      // operator gave up; the operator was told, nothing more needs saying
    NotConfirmed,     // the operator gave the barcode read-back up
    Cancelled,        // the operator cancelled a question (pack label, ad-hoc volume)
};

// Everything a builder works on besides its five parameters.
struct LabelContext {
    ProgramState& state;     // ImpressoraSelecionada, ConfLinha5, the home folder of conf.txt
    Operator& op;
    Record line;             // the joined VORLAPEDIDOS / VORLA row to print (RsGeral's current row)
    LabelSettings settings;  // gathered from the printing windows at the click
};

LabelResult EtiquetaPreco5426(LabelContext& ctx, double& Qtd, const QString& Temperatura, const QString& Velocidade,
                              const QString& Coluna, short Largura);
LabelResult EtiquetaTag5360(LabelContext& ctx, double& Qtd, const QString& Temperatura, const QString& Velocidade,
                            const QString& Coluna, short Largura);
LabelResult EtiquetaCostura5016(LabelContext& ctx, double& Qtd, const QString& Temperatura,
                                const QString& Velocidade, const QString& Coluna, short Largura);
LabelResult EtiquetaCostura5023(LabelContext& ctx, double& Qtd, const QString& Temperatura,
                                const QString& Velocidade, const QString& Coluna, short Largura);
LabelResult EtiquetaBasket3225(LabelContext& ctx, double& Qtd, const QString& Temperatura, const QString& Velocidade,
                               const QString& Coluna, short Largura);
LabelResult EtiquetaPack(LabelContext& ctx, double& Qtd, const QString& Temperatura, const QString& Velocidade,
                         const QString& Coluna, short Largura);
