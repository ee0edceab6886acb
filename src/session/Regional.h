#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// The workstation behaves as a Brazilian one whatever the machine's locale: dates
// dd/MM/yyyy, times HH:mm:ss, decimal comma. This module owns those formats and the
// clock, so every date or time text the program writes comes from here.
namespace regional {

QDateTime now();
// Fixes the clock (tests); std::nullopt gives the real clock back.
void setFixedNow(std::optional<QDateTime> when);

QString dateText(const QDate& date);  // dd/MM/yyyy
QString timeText(const QTime& time);  // HH:mm:ss
QString dateText();                   // today
QString timeText();                   // now
QString dateTimeText();               // "dd/MM/yyyy HH:mm:ss": a date-time turned into text

// A number written as the workstation writes it: decimal comma, no grouping,
// no trailing zeros ("12,5", "13", "-0,25").
QString numberText(double value);

// A number as the workstation reads one typed or stored: decimal comma ("12,5"), or a
// plain decimal point when the text holds no comma ("12.5"); none for anything else.
std::optional<double> numberFromText(const QString& text);

} // namespace regional
