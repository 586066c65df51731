#pragma once

#include <QString>

/// Standard input for the command-line tool.
namespace console {

/// True when standard input is a terminal (a person types, nothing is piped in).
bool inputIsTerminal();

/// Reads one line of standard input (UTF-8, the line break removed). At a terminal the prompt goes
/// to standard error and the typing is not echoed. False at the end of the input.
bool readSecretLine(const QString& prompt, QString& line);

} // namespace console
