#include "data/dmunit.h"

#include "platform/errorboundary.h"
#include "platform/interaction.h"
#include "platform/paths.h"
#include "records/workerpages.h"

#include <QDir>
#include <QElapsedTimer>

#include <memory>

Tdm::Tdm(QObject* parent) : QObject(parent)
{
    using namespace std::placeholders;
    db = new engine::Database(this);
    db->setObjectName(QStringLiteral("db"));
    db->setFileName(QStringLiteral("roster5.dat"));
    db->beforeConnect = [this](engine::Database& database) { dbConnect(database); };

    adbkquery = makeQuery("adbkquery", {"SELECT", "*", "FROM", "addrbook", "%where", "ORDER BY", "%order"},
                          QStringLiteral("name"), QStringLiteral("name"));
    notequery = makeQuery("notequery",
                          {"SELECT", "date,sort,caption,comments", "FROM", "notepad", "%where", "ORDER BY", "%order"},
                          QStringLiteral("caption"), QStringLiteral("date DESC"));
    personquery = makeQuery("personquery", {"SELECT", "*", "FROM person", "%where ", "ORDER BY", "%order"},
                            QStringLiteral("0"), QStringLiteral("id"));
    personquery->setFilter(QStringLiteral("status=1"));
    personquery->setFiltered(true);
    personquery->beforeScroll = [this](engine::Dataset& d) { personqueryBeforeScroll(d); };
    personquery->afterScroll = [this](engine::Dataset& d) { personqueryAfterScroll(d); };
    personquery->afterPost = [this](engine::Dataset& d) { personqueryAfterPost(d); };
    personquery->onPostError = [this](engine::Dataset& d, const engine::DbError& e, engine::DataAction& a) {
        personqueryPostError(d, e, a);
    };

    honorquery = makeQuery("honorquery", {"select", "* from honor", "%where", "ORDER BY", "%order"},
                           QStringLiteral("0"), QStringLiteral("sorts"));
    honorquery->beforePost = [this](engine::Dataset& d) { honorqueryBeforePost(d); };
    familyquery = makeQuery("familyquery", {"select", "*", "from family", "%where", "ORDER BY", "%order"},
                            QStringLiteral("0"), QStringLiteral("name"));
    familyquery->beforePost = [this](engine::Dataset& d) { familyqueryBeforePost(d); };
    histquery = makeQuery("histquery", {"select", "* ", "from history", "%where", "ORDER BY", "%order"},
                          QStringLiteral("0"), QStringLiteral("date1"));
    histquery->beforePost = [this](engine::Dataset& d) { histqueryBeforePost(d); };
    assessquery = makeQuery("assessquery", {"select", "*", "from assess", "%where", "ORDER BY", "%order"},
                            QStringLiteral("0"), QStringLiteral("tech"));
    assessquery->beforePost = [this](engine::Dataset& d) { assessqueryBeforePost(d); };
    trainquery = makeQuery("trainquery", {"select", "*", "from train", "%where", "ORDER BY", "%order"},
                           QStringLiteral("0"), QStringLiteral("mode"));
    trainquery->beforePost = [this](engine::Dataset& d) { trainqueryBeforePost(d); };

    persontable = new engine::Table(db, this);
    persontable->setObjectName(QStringLiteral("persontable"));
    persontable->setTableName(QStringLiteral("person"));

    tblpass = new engine::Table(db, this);
    tblpass->setObjectName(QStringLiteral("tblpass"));
    tblpass->setTableName(QStringLiteral("password"));
    tblpass->setIndexName(QStringLiteral("subkey"));

    qryStat = new engine::Query(db, this);
    qryStat->setObjectName(QStringLiteral("qryStat"));

    contractquery = makeQuery("contractquery", {"select", "* ", "from contracts", "%where", "ORDER BY", "%order"},
                              QStringLiteral("0"), QStringLiteral("start_date"));
    contractquery->beforePost = [this](engine::Dataset& d) { contractqueryBeforePost(d); };
    redeployquery = makeQuery("redeployquery", {"select", "* ", "from redeployments", "%where", "ORDER BY", "%order"},
                              QStringLiteral("0"), QStringLiteral("id desc"));
    redeployquery->beforePost = [this](engine::Dataset& d) { redeployqueryBeforePost(d); };
}

Tdm::~Tdm()
{
    db->close();
}

engine::Query* Tdm::makeQuery(const char* name, const QStringList& lines, const QString& where, const QString& order)
{
    auto* query = new engine::Query(db, this);
    query->setObjectName(QString::fromLatin1(name));
    query->setSql(lines);
    query->defineMacro(QStringLiteral("where"), where);
    query->defineMacro(QStringLiteral("order"), order);
    return query;
}

engine::Query* Tdm::detailQuery(int page) const
{
    engine::Query* Tdm::*query = workerpages::isDetailPage(page) ? workerpages::description(page).query : nullptr;
    return query ? this->*query : nullptr;
}

void Tdm::dbConnect(engine::Database&)
{
    // A file name without folder ("roster5.dat") names the file next to the program.
    if (!QDir::setCurrent(paths::apppath())) {
        StdWarning(QStringLiteral("目录转换错误！"));
    }
}

QString Tdm::currentPersonId() const
{
    if (!personquery->active() || personquery->rowCount() == 0) {
        return {};
    }
    return personquery->field(QStringLiteral("id")).asString();
}

void Tdm::selectdetail()
{
    selectdetail(activePage ? activePage() : -1);
}

void Tdm::selectdetail(int page)
{
    const QString key = currentPersonId();
    engine::Query* query = detailQuery(page);
    if (!query) {
        return;
    }
    query->close();
    if (key.isEmpty()) {
        query->clearMacro(QStringLiteral("where"));
    } else {
        const QString field =
            QStringLiteral("WHERE ") + workerpages::description(page).tieField + QStringLiteral(" = ");
        // A quote inside the key is doubled, so that the key stays one Jet string literal.
        const QString literal = QString(key).replace(u'"', QLatin1String("\"\""));
        query->setMacro(QStringLiteral("where"), field + u'"' + literal + u'"');
    }
    query->open();
}

void Tdm::personqueryBeforeScroll(engine::Dataset&)
{
    // The row belongs to the person being left: it is stored now, under that person's key, instead
    // of being dropped when the page's query is reselected for the next person.
    storeDetailEdits(activePage ? activePage() : -1);
}

void Tdm::storeDetailEdits(int page)
{
    // As every store of a detail row, a failure leaves it unstored without a message.
    engine::Query* query = detailQuery(page);
    if (!query || !query->active()) {
        return;
    }
    if (!ignoreErrors("storing a detail row", [query] { query->checkBrowseMode(); })) {
        query->cancel();
    }
}

void Tdm::personqueryAfterScroll(engine::Dataset&)
{
    selectdetail();
    if (photoAfterScroll) {
        photoAfterScroll(currentPersonId());
    }
}

void Tdm::personqueryAfterPost(engine::Dataset&)
{
    if (photoAfterPost) {
        photoAfterPost(currentPersonId());
    }
}

void Tdm::personqueryPostError(engine::Dataset&, const engine::DbError& error, engine::DataAction& action)
{
    if (error.isMissingValue()) {
        ShowError(QStringLiteral("[工号]和[姓名]必须填写!"));
    } else {
        ShowError(QStringLiteral("增加新记录出错，请注意[工号]和[姓名]必须填写，而且[工号]不能和以前的记录重复！"));
    }
    action = engine::DataAction::Abort;
}

void Tdm::stampKey(engine::Dataset& detail, const QString& keyField)
{
    const QString personId = currentPersonId();
    engine::Field key = detail.field(keyField);
    if (key.asString() != personId) {
        key.setAsString(personId);
    }
}

void Tdm::familyqueryBeforePost(engine::Dataset& dataset)
{
    stampKey(dataset, QStringLiteral("id"));
}

void Tdm::honorqueryBeforePost(engine::Dataset& dataset)
{
    stampKey(dataset, QStringLiteral("id"));
}

void Tdm::histqueryBeforePost(engine::Dataset& dataset)
{
    stampKey(dataset, QStringLiteral("id"));
}

void Tdm::assessqueryBeforePost(engine::Dataset& dataset)
{
    stampKey(dataset, QStringLiteral("id"));
}

void Tdm::trainqueryBeforePost(engine::Dataset& dataset)
{
    stampKey(dataset, QStringLiteral("id"));
}

void Tdm::contractqueryBeforePost(engine::Dataset& dataset)
{
    stampKey(dataset, QStringLiteral("person_id"));
}

void Tdm::redeployqueryBeforePost(engine::Dataset& dataset)
{
    stampKey(dataset, QStringLiteral("person_id"));
}

QString Tdm::derivedYears(engine::Field source, const QDateTime& now)
{
    const QString text = source.asString().trimmed();
    if (text.isEmpty()) {
        return QStringLiteral("0");
    }
    QDate date;
    QTime time;
    if (!engine::parseIsoDateTime(text, &date, &time)) {
        (void)source.asDateTime(); // raises the engine's error for a text that is no date
        throw engine::DbError(QStringLiteral("'%1' is not a valid date and time").arg(text));
    }
    // Wall-clock values on both sides: no time zone is looked up for each of the many rows.
    const QDateTime from(date, time, Qt::UTC);
    const QDateTime wallNow(now.date(), now.time(), Qt::UTC);
    if (wallNow > from) {
        return QString::number(agerule::yearsBetween(from, wallNow));
    }
    return QStringLiteral("0");
}

void Tdm::recalcages(const std::function<void(int done, int total)>& progress)
{
    agerule::Clock now = clock;
    if (!now) {
        // Reading the local clock looks up the time zone each time; 300 000 look-ups cost more
        // than the whole computation.
        const QDateTime local = agerule::systemNow();
        const QDateTime start(local.date(), local.time(), Qt::UTC);
        auto timer = std::make_shared<QElapsedTimer>();
        timer->start();
        now = [start, timer] { return start.addMSecs(timer->elapsed()); };
    }
    engine::Transaction transaction(*db);
    try {
        if (!persontable->active()) {
            persontable->open();
        }
        persontable->first();
        const int total = persontable->recordCount();
        const std::pair<int, int> pairs[] = {
            {persontable->fieldIndex(QStringLiteral("birth")), persontable->fieldIndex(QStringLiteral("age"))},
            {persontable->fieldIndex(QStringLiteral("date1")), persontable->fieldIndex(QStringLiteral("workage"))},
            {persontable->fieldIndex(QStringLiteral("date2")), persontable->fieldIndex(QStringLiteral("hereworkage"))},
        };
        for (const auto& pair : pairs) {
            if (pair.first < 0 || pair.second < 0) {
                throw engine::DbError(QStringLiteral("Field not found in table person"));
            }
        }
        int done = 0;
        while (!persontable->eof()) {
            persontable->edit();
            for (const auto& pair : pairs) {
                // Each pair on its own: a date that cannot be read leaves its target as it was.
                ignoreErrors("age recomputation", [&] {
                    const QString result = derivedYears(persontable->field(pair.first), now());
                    persontable->field(pair.second).setAsString(result);
                });
            }
            persontable->next();
            ++done;
            if (progress) {
                progress(done, total);
            }
        }
    } catch (...) {
        // The rows already passed keep their new values.
        transaction.commit();
        throw;
    }
    transaction.commit();
    if (personquery->active()) {
        personquery->refresh();
    }
}
