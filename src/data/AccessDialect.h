#pragma once

#include <QHash>
#include <QString>

// Statements are written the way the program has always written them (Access style);
// this turns one into the form SQLite runs with the same meaning:
//  - "[TABLE.COLUMN]" becomes "[TABLE].[COLUMN]";
//  - every table or column name is written with the store's own spelling, matched
//    without regard to letter case, because SQLite folds only ASCII letters and would
//    not see that IDENTIFICAÇÃO names the column Identificação.
// Text between single quotes is never touched. With folding comparisons on (the stores'
// connections), text comparisons then ask for the folding collation (data/FoldingSql.h).
//
// For a PostgreSQL store (server target) the same statements become:
//  - every known name, bracketed or not, written as the server spells it between double
//    quotes (the server's tables and columns carry the folded names, so IDENTIFICAÇÃO,
//    Identificação and [VORLA.IDENTIFICAÇÃO] all reach "identificação");
//  - a bracketed unknown name quoted as written;
//  - LIKE as ILIKE under the ICU root collation: the text columns compare through the
//    case-insensitive collation vorla_nocase (which PostgreSQL cannot use for LIKE), and
//    ILIKE under ICU folds accented letters as the SQLite stores do.
class AccessDialect {
public:
    // knownNames: folded name -> spelling in the schema.
    explicit AccessDialect(QHash<QString, QString> knownNames = {}) : m_names(std::move(knownNames)) {}

    void addName(const QString& spelling);
    void setFoldingComparisons(bool on) { m_folding = on; }
    void setServerTarget(bool on) { m_server = on; }
    // Throws DataError for a statement holding a NUL character.
    QString translate(const QString& sql) const;

private:
    QString spell(const QString& identifier) const;
    void appendForServer(QString& out, const QString& word) const;
    QHash<QString, QString> m_names;
    bool m_folding = false;
    bool m_server = false;
    // Words already looked up, as written -> as the schema spells them. Statements
    // repeat the same few names, so each is folded only once.
    mutable QHash<QString, QString> m_spelled;
};

// Throws DataError when a statement holds a NUL character, which no stored text may hold.
void refuseNulCharacter(const QString& sql);
