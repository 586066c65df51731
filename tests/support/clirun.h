#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

/// Runs roster-cli (the test target defines ROSTER_CLI as its path) with `input` on standard input.
namespace clirun {

struct Result
{
    int exitCode;
    QString out;
    QString err;
};

inline Result run(const QStringList& args, const QByteArray& input = {})
{
    QProcess process;
    process.start(QStringLiteral(ROSTER_CLI), args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace clirun
