#pragma once

#include <QString>

/// The Jet string literal of a LIKE pattern typed into a search box: Jet's wild cards (`*`, `?`,
/// `#`, `[…]`) keep their meaning, a double quote is doubled, and the literal is closed in
/// double quotes. A text that is not a valid pattern (an unclosed `[`, a descending range)
/// throws RosterError with a message in Chinese for the user, naming the text typed.
/// `appended` is added to the typed text inside the literal (the browser's prefix match adds "*").
QString likeLiteral(const QString& typed, const QString& appended = QString());
