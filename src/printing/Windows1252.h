#pragma once

#include <QByteArray>
#include <QString>

// Label printers take one byte per character in the Windows-1252 code page.
// A character the code page lacks becomes '?'.
QByteArray toWindows1252(const QString& text);
QString fromWindows1252(const QByteArray& bytes);
