#pragma once

#include "app/shellstore.h"

class Tdm;

/// The main window's view of the data module.
class TdmStore : public ShellStore
{
public:
    explicit TdmStore(Tdm& dm) : m_dm(dm) {}

    void setDatabaseFile(const QString& fileName) override;
    QString databaseFile() const override;
    void openDatabase() override;
    void closeDatabase() override;
    void copyToLastUse() override;
    QList<access::UserRecord> users() override;
    void setLogin(const QString& user, const QString& right) override;
    void recalcages(const std::function<void(int, int)>& progress) override;

private:
    Tdm& m_dm;
};
