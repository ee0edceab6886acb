#pragma once

#include <QString>

// The program's home folder: the two stores under bd/ and conf.txt beside them.
namespace home {
QString cadastroFile(const QString& home);  // bd/TOMVEL.db: users and master data
QString pedidosFile(const QString& home);   // bd/vorla.db: order headers and lines
QString confFile(const QString& home);      // conf.txt

QString cadastroScript();
QString pedidosScript();

// Creates both stores with their tables and one first user. Refuses (DataError)
// when either store already exists, so an existing home is never touched.
void create(const QString& home, const QString& user, const QString& password);
} // namespace home
