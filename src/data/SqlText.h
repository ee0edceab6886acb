#pragma once

#include <QString>

// The one way a value enters a statement: between single quotes that the statement
// text already holds, with every quote inside the value doubled, so no typed or
// imported value can end the literal early or change what the statement means.
QString sqlText(const QString& value);

// Letter case folded the way the stores compare text: every letter, accented ones too.
QString foldCase(const QString& text);
