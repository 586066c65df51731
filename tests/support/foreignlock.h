#pragma once

#include <QProcess>
#include <QString>

/// Another live process holding the installation lock of a database file for this object's life.
class ForeignLock
{
public:
    explicit ForeignLock(const QString& lockFile)
    {
        m_process.start(QStringLiteral(ROSTER_LOCKHOLDER), {lockFile});
        m_process.waitForReadyRead(10000);
        m_locked = m_process.readAllStandardOutput().startsWith("locked");
    }
    ~ForeignLock()
    {
        m_process.closeWriteChannel();
        m_process.waitForFinished(10000);
    }
    ForeignLock(const ForeignLock&) = delete;
    ForeignLock& operator=(const ForeignLock&) = delete;

    bool locked() const { return m_locked; }

private:
    QProcess m_process;
    bool m_locked = false;
};
