#pragma once

#include <QString>
#include <array>
#include <optional>

// conf.txt beside the stores: one setting per line, the first character its key
// ("1" server, "2" database, "3" user, "4" password, "5" free text printed on the tag),
// the value its characters 2 to 51, blanks kept. The last line of a key wins.
struct ConfTxt {
    std::array<std::optional<QString>, 5> values;  // keys 1 to 5; none when absent

    std::optional<QString> value(int key) const { return values.at(key - 1); }

    // Key 5 replaces the free text; a file without it leaves the text as it was.
    void updateConfLinha5(QString& ConfLinha5) const {
        if (const auto text = value(5)) ConfLinha5 = *text;
    }
};

// The customer's server as conf.txt names it, each value as written (blanks kept);
// an absent key leaves its setting empty.
struct CustomerServer {
    QString server;    // key 1: server name, "host\instance" or "host,port"
    QString database;  // key 2
    QString user;      // key 3
    QString password;  // key 4
};

CustomerServer customerServer(const ConfTxt& conf);

// Reads the file as UTF-8 when its bytes are valid UTF-8 (a byte-order mark is
// skipped), otherwise as Windows-1252. None when it is missing or cannot be read.
std::optional<ConfTxt> readConfTxt(const QString& path);
