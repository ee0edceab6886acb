#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The order text file as the customer's system writes it: one order line per text line,
// fields cut at every comma (no quoting, no escaping).
namespace orderText {

// Fields a line must have; fields after these are ignored.
constexpr int kFieldCount = 18;

// The file's characters: UTF-8 when the bytes are valid UTF-8 (a byte-order mark is
// dropped), otherwise Windows-1252, the code page older exports were written in.
QString decode(const QByteArray& bytes);

// The text lines, ended by CR LF (a lone LF or CR ends a line too). A line terminator
// at the very end does not start another line.
QStringList lines(const QString& text);

// The line's fields, cut at every comma.
QStringList fields(const QString& line);

// A value without its leading and trailing blanks (tabs and other characters stay).
QString trimBlanks(const QString& value);

} // namespace orderText
