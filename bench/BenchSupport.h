#pragma once

// What the benchmarks share: an operator that answers at once, the median of timings,
// and the clicks of the tag label's print button.
#include "history/PrintHistory.h"
#include "labels/LabelTypes.h"
#include "production/ProductionRun.h"
#include "production/ProductionTypes.h"
#include "session/ProgramState.h"
#include "session/Operator.h"

#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <utility>
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

// Clicks of the production window's print button for the tag label on production
// number 1 of `state`'s order store, with the settings the menu leaves and the window
// shown; the jobs go to a folder printer in `folder`.
class TagLabelClicks {
public:
    TagLabelClicks(ProgramState& state, const QString& folder)
        : m_run(withFolderPrinter(state, folder), m_op, m_type)
    {
        m_settings.cbotemp = "15";
        m_settings.cbovelocidade = "06";
        m_settings.cbocoluna = m_settings.cbolargura = "00";
        m_settings.labels.producaoVisivel = true;
        m_settings.labels.producaoCaption = m_type.caption;
        m_run.enterProductionNumber("1", m_display, m_settings);
    }
    bool click() { return m_run.Cmdimprimir(m_display, m_settings, "ADMIN"); }

private:
    static ProgramState& withFolderPrinter(ProgramState& state, const QString& folder)
    {
        QDir().mkpath(folder);
        state.ImpressoraSelecionada = "file:" + folder;
        return state;
    }
    SilentOperator m_op;
    const ProductionType& m_type = *productionType(labeltype::Tag5360);
    ProductionRun m_run;
    ProductionDisplay m_display;
    ProductionSettings m_settings;
};

// The share of the print history in a click: one line's update committed in a
// transaction, alone and with the history row of one job `bytes` (as a click records
// it, in the same transaction). Returns the medians {without, with}, in ms.
inline std::pair<double, double> recordingShare(Connection& store, const QByteArray& bytes, int lines, int samples = 200)
{
    history::PrintHistory history(store);
    history::JobRecord job;
    job.station = "EST-1";
    job.user = "ADMIN";
    job.labelType = labeltype::Tag5360;
    job.production = "0000000001";
    std::vector<double> without, with;
    QElapsedTimer timer;
    for (int i = 0; i < samples; ++i) {
        const bool recording = i % 2;
        const int line = 1 + (i * 7919) % lines;
        job.line = line;
        job.order = QString::number(100000 + line / 10);
        job.barcode = QStringLiteral("789%1").arg(line, 10, 10, QLatin1Char('0'));
        timer.start();
        Transaction click(store);
        store.execute(QStringLiteral("UPDATE VORLA SET RDATA = '%1' WHERE Identificação = %2").arg(i).arg(line));
        if (recording) history.record(job, {{QStringLiteral("socket://10.0.0.9"), bytes}});
        click.commit();
        (recording ? with : without).push_back(timer.nsecsElapsed() / 1e6);
    }
    return {median(without), median(with)};
}
