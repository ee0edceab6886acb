#pragma once

#include "labels/LabelBuilders.h"
#include "labels/ZplJob.h"

#include <optional>

// The steps every builder shares.
namespace builder {

// The speed as a whole number, or none after telling the operator what is wrong with
// the settings, darkness included (nothing may print then).
std::optional<int> checkedSpeed(LabelContext& ctx, const QString& Velocidade, const QString& Temperatura);

// Whether the line's barcode can go into a barcode field, which reads its data as it
// is; a code holding ^, ~ or \ is told to the operator (nothing may print then).
bool barcodePrintable(LabelContext& ctx);

// Whether the quantity may print; when not, the operator is told why (nothing may
// print then). Quantities read from an order line (the production window's) are
// bounded by quantity::kMaxLabelsPerLine; the ad-hoc window bounds its typed ones.
bool checkedQuantity(LabelContext& ctx, double Qtd);

// A new job placed with the active window's offsets.
zpl::JobWriter newJob(const LabelSettings& settings);

// Sends one finished job; a job the printer did not take is reported and ends there.
// Otherwise runs the read-back from `firstReading` (1 = left then right, 2 = right).
LabelResult sendAndConfirm(LabelContext& ctx, const QString& job, int firstReading);

// The common end of a builder: fills the job from the order line (the quantity rules
// change Qtd), sends it and runs the read-back.
LabelResult fillSendConfirm(LabelContext& ctx, QString job, double& Qtd, const QString& Temperatura,
                            int speed, int firstReading);

// A job of one layout repeated across `columns` labels: set-up, format opening, the
// layout's rows column by column, then the quantity command.
QString columnsJob(const LabelSettings& settings, zpl::Media media, const QString& opening,
                   const QList<zpl::FieldRow>& rows, int columns);

// Sends a job that has no read-back, once the printer says it is ready. False when the
// operator gave up waiting for the printer or the printer did not take the job (told).
bool send(LabelContext& ctx, const QString& job);

} // namespace builder
