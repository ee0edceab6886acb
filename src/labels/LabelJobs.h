#pragma once

#include "data/Recordset.h"
#include "labels/LabelSettings.h"

#include <QString>

// The job texts of the label layouts before they are filled, each placed with the
// settings' offsets. The builders fill and send them; kept apart so they can be timed.
namespace jobs {

QString preco5426Single(const LabelSettings& settings);      // with the logo, frees it at the end
QString preco5426FourAcross(const LabelSettings& settings);
QString basket3225(const LabelSettings& settings);           // third column when Check2 is ticked
QString tag5360(const LabelSettings& settings, const QString& ConfLinha5);
QString costura5016Single(const LabelSettings& settings);
QString costura5016SixAcross(const LabelSettings& settings);
QString costura5023(const LabelSettings& settings);

// The volumes a pack job covers: from `first` to `last`; `total` is the number shown
// after the slash on the 34x23 label. `onePass` for the ad-hoc window's single volume.
struct PackVolumes {
    qint64 first = 1;
    double last = 0;
    double total = 0;
    bool onePass = false;
};

// The whole pack job, filled pass by pass (PreencheModelo after every volume or row).
QString pack(const LabelSettings& settings, const PackVolumes& volumes, double& Qtd, const QString& Temperatura,
             int speed, const Record& line);

} // namespace jobs
