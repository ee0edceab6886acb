#pragma once

#include "data/Recordset.h"
#include "labels/LabelSettings.h"

#include <QString>

// Fills a label job in place from the order line and the settings: speed and darkness,
// the line's fields, the number of label rows ("*/DIV/*") and the barcode data. The
// row count also goes back into the caller's Qtd, as the quantity rules compute it.
// The blocks of the label types run for every type text (production caption, ad-hoc
// cbomarca) that names them, in the order 2, 1, 3, 4, 5/6, 7.
void PreencheModelo(QString& job, double& Qtd, const QString& Temperatura, int velocidade, const Record& line,
                    const LabelSettings& settings);
