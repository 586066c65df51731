#include "platform/console.h"

#include <QTextStream>

#include <iostream>
#include <string>

#include <termios.h>
#include <unistd.h>

namespace console {

bool inputIsTerminal()
{
    return isatty(STDIN_FILENO) != 0;
}

bool readSecretLine(const QString& prompt, QString& line)
{
    const bool terminal = inputIsTerminal();
    QTextStream err(stderr);
    termios saved{};
    if (terminal) {
        err << prompt << Qt::flush;
        tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string text;
    const bool read = bool(std::getline(std::cin, text));
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        err << Qt::endl;
    }
    line = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (line.endsWith(u'\r')) {
        line.chop(1);
    }
    return read;
}

} // namespace console
