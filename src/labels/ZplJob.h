#pragma once

#include <QList>
#include <QPoint>
#include <QString>

// Pieces of every label job, as the printer expects them byte for byte.
namespace zpl {

// Control prefix: DLE, then the command characters "~" and "^" and the delimiter ","
// asserted again, so a printer left in another mode reads the job right.
QString PrefixoDriver();

// The set-up format that stores speed, darkness and media in the printer.
enum class Media { TransferGap, DirectThermalGap, TransferContinuous };
QString CabecalhoZPL(Media media);

// One row of a layout table: the lead-in, the element, and where it sits in each
// column of the label (x, y in dots before the offsets).
struct FieldRow {
    QString leadIn;
    QString element;
    QList<QPoint> at;
};

// Field data under ^FH\ : ^, ~ and \ written as the printer's hexadecimal escapes
// \5E, \7E and \5C, which it turns back, so a stored text can never end
// its field or start a command. Any other character is kept.
QString hexEscaped(const QString& data);

// Whether `data` holds ^, ~ or \ : in a field read without "^FH" (a barcode's
// data) they would end the field or start a command.
bool holdsCommandCharacters(const QString& data);

// Replaces every `placeholder` in `job` by `value`, escaped where the field around it
// reads its data under "^FH"; elsewhere the value goes in as it is.
void fillData(QString& job, const QString& placeholder, const QString& value);

// Markers inside an element that the builder replaces while writing the field
// (the pack label's volume and total, the tag's free text).
inline const QString VolumeMark = QStringLiteral("<volume>");
inline const QString TotalMark = QStringLiteral("<total>");
inline const QString ConfLinha5Mark = QStringLiteral("<ConfLinha5>");

// Writes a job: appends pieces and fields, each field placed with the active window's
// offsets (DeslocaX / DeslocaY).
class JobWriter {
public:
    JobWriter(int offsetX, int offsetY) : m_offsetX(offsetX), m_offsetY(offsetY) {}

    int DeslocaX(int x) const { return m_offsetX + x; }
    int DeslocaY(int y) const { return m_offsetY + y; }

    JobWriter& operator<<(const QString& piece);
    // The field of `row` in `column` (0-based), its markers replaced by `marks`.
    void field(const FieldRow& row, int column = 0, const QList<std::pair<QString, QString>>& marks = {});
    // Every row of `rows` in `column`, in table order.
    void column(const QList<FieldRow>& rows, int column, const QList<std::pair<QString, QString>>& marks = {});

    const QString& text() const { return m_text; }

private:
    int m_offsetX;
    int m_offsetY;
    QString m_text;
};

} // namespace zpl
