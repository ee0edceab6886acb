#include "production/MenuSettings.h"

#include "labels/LabelTypes.h"

#include <QList>

const MenuSettings* menuSettings(const QString& caption)
{
    static const QList<MenuSettings> all{
        {labeltype::Preco5426, "06", "15", "1 colunas", "4 Colunas", {}, {}},
        {labeltype::Tag5360, "06", "15", {}, {}, {}, {}},
        {labeltype::Costura5016, "04", "07", "1 Coluna", "6 Colunas", "00", "-50"},
        {labeltype::Costura5023, "04", "10", {}, {}, {}, {}},
        {labeltype::Basket3225, "03", "20", "2 Colunas", "3 Colunas", {}, {}},
        {labeltype::Pack, "06", "20", "100x40", "34x23", {}, {}},
    };
    for (const MenuSettings& settings : all)
        if (settings.caption == caption) return &settings;
    return nullptr;
}

QStringList comboNumbers(int first, int last)
{
    QStringList items;
    for (int n = first; n <= last; ++n)
        items << (n < 0 ? QStringLiteral("-") : QString()) + QStringLiteral("%1").arg(std::abs(n), 2, 10, QLatin1Char('0'));
    return items;
}

QString formatProductionNumber(const QString& typed)
{
    const QString digits = typed.trimmed();
    bool whole = !digits.isEmpty();
    for (const QChar c : digits)
        whole = whole && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!whole) return typed;
    // Read as a number: leading zeros typed count for nothing.
    qsizetype start = 0;
    while (start < digits.size() - 1 && digits[start] == QLatin1Char('0'))
        ++start;
    return digits.mid(start).rightJustified(10, QLatin1Char('0'));
}
