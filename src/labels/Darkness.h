#pragma once

#include <QString>
#include <optional>

class Operator;

// The darkness of a label job (cbotemp): its text goes into the job's ~SD and the
// summary label's ^SD as it is, so only a whole number of the windows' list may print.
namespace darkness {

constexpr int First = -15;
constexpr int Last = 20;

// Why `cbotemp` cannot print; none when it can ("07", "-05", "20").
std::optional<QString> problem(const QString& cbotemp);

// Tells the operator (title "VORLA") when `cbotemp` cannot print; false then, and
// nothing may print.
bool checked(Operator& op, const QString& cbotemp);

} // namespace darkness
