#include "labels/Darkness.h"

#include "session/Operator.h"

#include <QRegularExpression>

namespace darkness {

std::optional<QString> problem(const QString& cbotemp)
{
    // No blanks, no sign but a minus: the text is written into the job unchanged.
    static const QRegularExpression pattern(QStringLiteral("^-?\\d{1,2}$"));
    if (pattern.match(cbotemp).hasMatch() && cbotemp.toInt() >= First && cbotemp.toInt() <= Last)
        return std::nullopt;
    return QStringLiteral("A temperatura \"%1\" não é um número inteiro de %2 a %3. Escolha um valor da lista.")
        .arg(cbotemp)
        .arg(First)
        .arg(Last);
}

bool checked(Operator& op, const QString& cbotemp)
{
    const auto why = problem(cbotemp);
    if (!why) return true;
    op.message(*why + QStringLiteral(" Nenhuma etiqueta foi impressa."), QStringLiteral("VORLA"),
               Operator::Icon::Information);
    return false;
}

} // namespace darkness
