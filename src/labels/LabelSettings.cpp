#include "labels/LabelSettings.h"

#include <QRegularExpression>

std::optional<int> wholeNumberText(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*[-+]?\\d{1,6}\\s*$"));
    if (!pattern.match(text).hasMatch()) return std::nullopt;
    return text.trimmed().toInt();
}

int LabelSettings::offsetX() const { return wholeNumberText(cbocoluna).value_or(0); }
int LabelSettings::offsetY() const { return wholeNumberText(cbolargura).value_or(0); }
int LabelSettings::percentage() const { return wholeNumberText(TXTPORCENTAGEM).value_or(0); }

std::optional<QString> LabelSettings::problem(const QString& velocidade) const
{
    if (!wholeNumberText(cbocoluna))
        return QStringLiteral("A coluna \"%1\" não é um número inteiro. Escolha um valor da lista.").arg(cbocoluna);
    if (!wholeNumberText(cbolargura))
        return QStringLiteral("A altura \"%1\" não é um número inteiro. Escolha um valor da lista.").arg(cbolargura);
    if (!wholeNumberText(TXTPORCENTAGEM) || percentage() < 0)
        return QStringLiteral("A porcentagem \"%1\" não é um número inteiro de 0 para cima.").arg(TXTPORCENTAGEM);
    if (!wholeNumberText(velocidade))
        return QStringLiteral("A velocidade \"%1\" não é um número inteiro. Escolha um valor da lista.").arg(velocidade);
    return std::nullopt;
}
