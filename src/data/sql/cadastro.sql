-- Users and master data (bd/TOMVEL.db).
-- Text compares without regard to letter case; auto-number keys only grow.
CREATE TABLE Vendedor (
    "Código"      INTEGER PRIMARY KEY AUTOINCREMENT,
    NomeVendedor  TEXT COLLATE NOCASE,
    USUARIO       TEXT COLLATE NOCASE,
    SENHA         TEXT COLLATE NOCASE,
    NIVEL         TEXT COLLATE NOCASE
);
CREATE INDEX Vendedor_USUARIO ON Vendedor (USUARIO);

CREATE TABLE MARCA (
    "Código"    INTEGER PRIMARY KEY AUTOINCREMENT,
    NomeMarca   TEXT COLLATE NOCASE,
    Vendedor    TEXT COLLATE NOCASE,
    Grupo       TEXT COLLATE NOCASE,
    Fornecedor  TEXT COLLATE NOCASE
);
CREATE INDEX MARCA_NomeMarca ON MARCA (NomeMarca);

CREATE TABLE GRUPO (
    "Código"  INTEGER PRIMARY KEY AUTOINCREMENT,
    GRUPO     TEXT COLLATE NOCASE
);

CREATE TABLE FORNECEDOR (
    Fornecedor  TEXT COLLATE NOCASE
);

CREATE TABLE MODELO (
    "Código"  INTEGER PRIMARY KEY AUTOINCREMENT,
    MODELO    TEXT COLLATE NOCASE
);

-- The schema's version (data/SchemaUpgrade.h).
PRAGMA user_version = 1;
