#include "labels/BarcodeRules.h"

#include <QRegularExpression>

namespace {
// Characters first..last of the code, counted from 1; fewer when the code is shorter.
QString chars(const QString& code, int first, int last)
{
    return code.mid(first - 1, last - first + 1);
}

const QString StartC = QStringLiteral(">;");
const QString StartB = QStringLiteral(">:");
const QString ToC = QStringLiteral(">5");
const QString ToB = QStringLiteral(">6");

QString startBThenC(const QString& code, int lastInC)
{
    return StartB + chars(code, 1, 1) + ToC + chars(code, 2, lastInC);
}
} // namespace

namespace barcode {

bool isNumeric(const QString& code)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[-+]?([0-9]+([.,][0-9]*)?|[.,][0-9]+)\\s*$"));
    return number.match(code).hasMatch();
}

QString ruleCB(const QString& code)
{
    return StartC + chars(code, 1, 14) + ToB + chars(code, 15, 24);
}

QString ruleBC(const QString& code)
{
    return startBThenC(code, 16);
}

QString ruleN(const QString& code)
{
    return isNumeric(code) ? ruleCB(code) : ruleBC(code);
}

QString ruleL(const QString& code)
{
    if (isNumeric(code)) return ruleCB(code);
    if (code.size() == 16) return startBThenC(code, 15) + ToB + chars(code, 16, 17);
    return startBThenC(code, 21);
}

QString ruleF(const QString& code)
{
    if (isNumeric(code)) return ruleCB(code);
    const bool startsWithDigit = !code.isEmpty() && code.at(0) >= QLatin1Char('0') && code.at(0) <= QLatin1Char('9');
    if (startsWithDigit) return code;
    if (code.size() == 16) return startBThenC(code, 15) + ToB + chars(code, 16, 16);
    if (code.size() > 16) return startBThenC(code, 15) + ToB + chars(code, 16, 17);
    return startBThenC(code, 21);
}

} // namespace barcode
