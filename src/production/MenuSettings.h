#pragma once

#include <QString>
#include <QStringList>

// What a label-type item of the main menu puts on the production window before
// showing it: the caption that names the label type, speed and darkness, the option
// boxes' captions (none for types without a layout choice) and, for the sewing label,
// the two offsets.
struct MenuSettings {
    QString caption;
    QString cbovelocidade;
    QString cbotemp;
    QString check1;  // empty: the option boxes keep what they had
    QString check2;
    QString cbocoluna;  // empty: keeps what the window's load gave it
    QString cbolargura;
};

// The settings of the menu item whose window caption is `caption`; nullptr for none.
const MenuSettings* menuSettings(const QString& caption);

// Whole numbers from `first` to `last`, each written as the combo boxes show them:
// at least two digits, minus sign before negatives ("-05", "00", "07").
QStringList comboNumbers(int first, int last);

// A production number as the windows write it: a whole number with leading zeros to at
// least ten digits (123 gives 0000000123); any other text unchanged.
QString formatProductionNumber(const QString& typed);
