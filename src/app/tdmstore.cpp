#include "app/tdmstore.h"

#include "access/useradmin.h"
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
    if (!m_dm.tblpass->active()) {
        m_dm.tblpass->open();
    }
    return access::readUsers(*m_dm.tblpass);
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
