#include "maintenance/MasterData.h"

#include "data/Connection.h"
#include "data/SqlText.h"
#include "session/Operator.h"

#include <optional>

namespace {
QString placeholderValue(const QString& key, const MasterEntry& entry, const Record& found)
{
    static const QString foundPrefix = QStringLiteral("found.");
    static const QString upperSuffix = QStringLiteral(":upper");
    if (key.startsWith(foundPrefix)) return found.text(key.mid(foundPrefix.size()));
    if (key.endsWith(upperSuffix)) return entry.value(key.chopped(upperSuffix.size())).toUpper();
    return entry.value(key);
}

// A question or statement template of the tables filled from the entry and the record
// found; `quoted` passes every value through sqlText() (statements).
QString fillMasterTemplate(const QString& text, const MasterEntry& entry, const Record& found, bool quoted)
{
    QString out;
    qsizetype at = 0;
    while (true) {
        const qsizetype open = text.indexOf(QLatin1Char('{'), at);
        if (open < 0) break;
        const qsizetype close = text.indexOf(QLatin1Char('}'), open);
        out += text.mid(at, open - at);
        const QString value = placeholderValue(text.mid(open + 1, close - open - 1), entry, found);
        out += quoted ? sqlText(value) : value;
        at = close + 1;
    }
    return out + text.mid(at);
}

// The record a whole-name lookup stands for. `like` would take a % or _ typed in the
// name as a wildcard and return other records: only one whose whole name is the one
// looked up (without regard to letter case) counts.
std::optional<Record> wholeNameMatch(const MasterTable& table, const MasterStep& step,
                                     const MasterEntry& entry, const Recordset& lookup)
{
    const qsizetype open = step.lookup.indexOf(QLatin1Char('{'));
    const QString key = step.lookup.mid(open + 1, step.lookup.indexOf(QLatin1Char('}'), open) - open - 1);
    const QString name = foldCase(placeholderValue(key, entry, {}));
    for (int i = 0; i < lookup.recordCount(); ++i)
        if (foldCase(lookup.row(i).text(table.storedName)) == name) return lookup.row(i);
    return std::nullopt;
}

// The shared shape of the three buttons: a lookup that decides whether to go on, a
// Yes/No question (no icon, the program's own title), one statement.
MasterOutcome runStep(const MasterTable& table, const MasterStep& step, bool goOnWhenFound,
                      const MasterEntry& entry, Operator& op, Connection& c)
{
    const Recordset lookup = c.query(fillMasterTemplate(step.lookup, entry, {}, true));
    Record found;
    if (goOnWhenFound) {
        const std::optional<Record> match = wholeNameMatch(table, step, entry, lookup);
        if (!match) return MasterOutcome::Nothing;
        found = *match;
    } else if (!lookup.isEmpty()) {
        return MasterOutcome::Nothing;
    }
    if (!op.askYesNo(fillMasterTemplate(step.question, entry, found, false), QString(), Operator::Icon::None))
        return MasterOutcome::Declined;
    c.execute(fillMasterTemplate(step.statement, entry, found, true));
    return MasterOutcome::Stored;
}
} // namespace

Recordset openMasterGrid(const MasterTable& table, Connection& c)
{
    return c.query(table.gridQuery);
}

QStringList masterListItems(const EntryField& field, Connection& c)
{
    QStringList items;
    for (Recordset rs = c.query(field.listQuery); !rs.eof(); rs.moveNext())
        items << rs.text(field.listField);
    return items;
}

void pickMasterRow(const MasterTable& table, Recordset& grid, int row, MasterEntry& entry)
{
    if (row < 0 || row >= grid.recordCount()) return;
    grid.moveTo(row);
    entry.insert(NomeAnterior, grid.text(table.nameColumn));
    for (const GridCopy& copy : table.gridCopies)
        entry.insert(copy.field, grid.text(copy.column));
}

QString typedName(const MasterTable& table, const QString& text)
{
    return table.capitals ? text.toUpper() : text;
}

MasterOutcome incluir(const MasterTable& table, const MasterEntry& entry, Operator& op, Connection& c)
{
    return runStep(table, table.incluir, false, entry, op, c);
}

MasterOutcome alterar(const MasterTable& table, const MasterEntry& entry, Operator& op, Connection& c)
{
    return runStep(table, table.alterar, true, entry, op, c);
}

MasterOutcome excluir(const MasterTable& table, const MasterEntry& entry, Operator& op, Connection& c)
{
    return runStep(table, table.excluir, true, entry, op, c);
}
