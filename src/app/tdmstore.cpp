#include "app/tdmstore.h"

#include "data/dmunit.h"
#include "safety/closerule.h"

void TdmStore::setDatabaseFile(const QString& fileName)
{
    m_dm.db->setFileName(fileName);
}

QString TdmStore::databaseFile() const
{
    return m_dm.db->fileName();
}

void TdmStore::openDatabase()
{
    // One engine stands for both engine versions, so one attempt is all there is to make.
    m_dm.db->open();
}

void TdmStore::closeDatabase()
{
    m_dm.db->close();
}

void TdmStore::copyToLastUse()
{
    safety::copyToLastUse(*m_dm.db);
}

QList<access::UserRecord> TdmStore::users()
{
    engine::Table* table = m_dm.tblpass;
    if (!table->active()) {
        table->open();
    }
    QList<access::UserRecord> users;
    for (table->first(); !table->eof(); table->next()) {
        access::UserRecord record;
        record.user = table->field(QStringLiteral("user")).asString();
        record.passwd = table->field(QStringLiteral("passwd")).asString();
        record.key = table->field(QStringLiteral("key")).asString();
        record.isadmin = table->field(QStringLiteral("isadmin")).value();
        users << record;
    }
    table->first();
    return users;
}

void TdmStore::setLogin(const QString& user, const QString& right)
{
    m_dm.loginuser = user;
    m_dm.loginright = right;
}

void TdmStore::recalcages(const std::function<void(int, int)>& progress)
{
    m_dm.recalcages(progress);
}
