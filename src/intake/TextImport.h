#pragma once

#include <QString>

class Operator;
struct ProgramState;

// Import of one customer order from a comma-separated text file (state.ArquivoTxt):
// one VORLAPEDIDOS header and one VORLA line per non-empty text line, all flags 'N'.
// The order is stored whole or not at all (one transaction); the file is deleted after
// a successful import or a declined re-import and kept after a failure.

// The numbers of "Erro: N-> FORMATO DE ARQUIVO INVÁLIDO!", one per cause.
namespace textImportError {
constexpr int ShortLine = 9;        // a line with fewer than 18 fields
constexpr int InvalidCharacter = 5; // a line holding a character no order can hold (NUL)
constexpr int FileNotFound = 53;    // the chosen file is not there
constexpr int FileUnreadable = 75;  // the file is there but cannot be read
} // namespace textImportError

enum class TextImportResult {
    Imported,  // stored (or an empty file), success shown, file deleted
    Declined,  // the order exists and the operator said No: file deleted, nothing stored
    Failed,    // format message shown, nothing stored, file kept
};

// Imports state.ArquivoTxt; `user` is the logged-in user written into the header.
// A failure of the order store itself rolls the order back and throws DataError.
TextImportResult CARREGATXT(ProgramState& state, Operator& op, const QString& user);

// Deletes the file named by state.ArquivoTxt. A file that cannot be deleted is told to
// the operator, naming it; whatever was stored stays stored.
bool APAGATXT(const ProgramState& state, Operator& op);

// The open-file dialog ("ABRIR ARQUIVO", .txt files) and the import of each chosen
// file, over and over while imports succeed; ends on cancel, failure or a declined order.
void importTextFilesUntilDone(ProgramState& state, Operator& op, const QString& user);
