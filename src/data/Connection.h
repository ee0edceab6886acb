#pragma once

#include "data/AccessDialect.h"
#include "data/Recordset.h"

#include <QString>
#include <memory>

// An open connection to one store file. Queries return static snapshots, so a
// recordset stays readable after the connection that produced it is replaced.
// Every statement passes through the Access dialect adapter first.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(Connection&&) noexcept;
    Connection& operator=(Connection&&) noexcept;

    // Opens an existing store; a missing file or one that is not a database throws
    // DataError (SQLite would otherwise create an empty file in its place).
    static Connection open(const QString& file);
    // Creates a new store file and runs the given script in it.
    static Connection create(const QString& file, const QString& script);

    bool isOpen() const;
    QString fileName() const;

    // The rows of a query; with `maxRows`, only the first ones (where only the first row
    // is read, the others need not be copied). Throws DataError.
    Recordset query(const QString& sql, int maxRows = -1);
    void execute(const QString& sql);     // throws DataError
    qint64 lastInsertId() const;

    void beginTransaction();
    void commit();
    void rollback();

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};

// Keeps a transaction open for one scope: commits on commit(), rolls back otherwise.
class Transaction {
public:
    explicit Transaction(Connection& c) : m_c(c) { m_c.beginTransaction(); }
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Connection& m_c;
    bool m_done = false;
};
