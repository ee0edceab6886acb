#pragma once

// What the benchmarks share: an operator that answers at once, the median of timings,
// and the production window's settings of a tag-label click.
#include "production/ProductionRun.h"
#include "session/Operator.h"

#include <algorithm>
#include <cstdio>
#include <vector>

// Answers Yes to every question and confirms every read-back at once; messages go to
// the error output, so a benchmark that stops printing says why.
class SilentOperator : public Operator {
public:
    void message(const QString& text, const QString&, Icon) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    bool askYesNo(const QString&, const QString&, Icon) override { return true; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFile(const QString&, const QString&) override { return {}; }
    std::optional<QString> choosePrinter(const QStringList&, const QString&) override { return {}; }
    bool readBarcode(const QString&, const QString&) override { return true; }
};

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The production window's settings as the menu leaves them for `type`'s tag label,
// with the window shown.
inline ProductionSettings clickSettings(const ProductionType& type)
{
    ProductionSettings settings;
    settings.cbotemp = "15";
    settings.cbovelocidade = "06";
    settings.cbocoluna = settings.cbolargura = "00";
    settings.labels.producaoVisivel = true;
    settings.labels.producaoCaption = type.caption;
    return settings;
}
