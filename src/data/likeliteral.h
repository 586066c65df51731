#pragma once

#include <QString>

/// The Jet string literal of a LIKE pattern typed into a search box: Jet's wild cards (`*`, `?`,
/// `#`, `[…]`) keep their meaning, a double quote is doubled, and the literal is closed in
/// double quotes. A text that is not a valid pattern (an unclosed `[`, a descending range)
/// throws RosterError with a message in Chinese for the user.
QString likeLiteral(const QString& pattern);
