#pragma once

#include <QString>
#include <optional>

// What the label engine reads from the two printing windows, gathered by the window
// that prints into one plain value: the production window frmimpressao and the ad-hoc
// window frmnovoavulso fill it at the click, the builders only read it.
struct LabelSettings {
    struct OptionBoxes {
        bool Check1 = false;
        bool Check2 = false;
    };

    // Whether frmimpressao is visible; it then counts as the active window.
    bool producaoVisivel = false;

    // cbocoluna / cbolargura of the active window: offsets in dots added to every x / y.
    QString cbocoluna = QStringLiteral("00");
    QString cbolargura = QStringLiteral("00");

    // Option boxes of each window. A layout counts as chosen when its box is ticked on
    // either window; the quantity rules look at the production window's only.
    OptionBoxes producao;
    OptionBoxes avulso;

    // TXTPORCENTAGEM of frmimpressao (overage percentage); "10" when that window opens.
    QString TXTPORCENTAGEM = QStringLiteral("10");

    // The two label-type texts: frmimpressao's caption and frmnovoavulso.cbomarca.
    QString producaoCaption;
    QString cbomarca;

    bool check1() const { return producao.Check1 || avulso.Check1; }
    bool check2() const { return producao.Check2 || avulso.Check2; }
    bool isLabelType(const QString& caption) const { return cbomarca == caption || producaoCaption == caption; }

    int offsetX() const;  // 0 when the text is no number (checked beforehand by problem())
    int offsetY() const;
    int percentage() const;

    // The first reason these settings cannot print (an empty optional when they can):
    // offsets and speed must be whole numbers, the percentage a whole number from 0 up.
    std::optional<QString> problem(const QString& velocidade) const;
};

// A whole number written as the windows write one ("00", "-05", " 10"); none when the
// text is anything else.
std::optional<int> wholeNumberText(const QString& text);
