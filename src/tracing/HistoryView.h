#pragma once

#include "history/PrintHistory.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class Connection;

// What the "Histórico" window shows, as texts: the columns of its grids and the cells of
// each row, times on this workstation's clock in the program's formats. The window only
// puts them in place.
namespace tracing {

// The list of jobs: when, kind, label type, production, order, line, barcode, labels,
// user, station, printer.
QStringList jobHeader();
QStringList jobCells(const history::JobRecord& job);

// A search from what the operator typed: texts trimmed, the production number as the
// windows write it; null dates leave the period open.
history::Filter searchFilter(const QString& barcode, const QString& order, const QString& production,
                             const QString& user, const QDate& from, const QDate& to);

// A production number's progress: one row per label type (lines S / A / N, labels
// printed, first and last print, labels in the last hour), and one row per line held 'A'
// (type, order, line, station, since when). A claim under a flag two types share (5/6
// and 7) is one row naming both types.
QStringList progressHeader();
QStringList progressCells(const history::TypeProgress& type);
QStringList heldHeader();
QList<QStringList> heldRows(const QList<history::TypeProgress>& progress);

// The progress of the production number the operator typed, at `at` (UTC; null: now).
QList<history::TypeProgress> floorProgress(Connection& store, const QString& typedProduction,
                                           const QDateTime& at = {});

// A moment as the workstation shows it: "dd/MM/yyyy HH:mm:ss" on its clock; empty for null.
QString momentText(const QDateTime& when);

} // namespace tracing
