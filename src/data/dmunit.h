#pragma once

#include "data/agerule.h"
#include "data/engine/database.h"
#include "data/engine/dataset.h"
#include "data/engine/query.h"
#include "data/engine/table.h"

#include <QObject>
#include <QString>

#include <functional>

/// The data module: the one connection, every shared query and table with its stored SQL, macro
/// defaults and record hooks, the rules that keep a person and the detail rows together, the age
/// recomputation and the logged-in user. Created first at start-up and kept for the whole run;
/// windows bind to its datasets and never open the database themselves.
///
/// The data sources of the old module need no object here: windows bind to the datasets directly.
/// The picture and file dialogs and the image list belong to the windows that use them (the
/// message and file seam, the main window's icons); only the repair's file filter is kept here.
class Tdm : public QObject
{
    Q_OBJECT

public:
    explicit Tdm(QObject* parent = nullptr);
    ~Tdm() override;

    engine::Database* db;       ///< file name "roster5.dat" until start-up sets it
    engine::Query* adbkquery;   ///< address book
    engine::Query* notequery;   ///< notepad
    engine::Query* personquery; ///< the current set of persons, filter "status=1"
    engine::Query* honorquery;
    engine::Query* familyquery;
    engine::Query* histquery;
    engine::Query* assessquery;
    engine::Query* trainquery;
    engine::Table* persontable; ///< every person whatever the status
    engine::Table* tblpass;     ///< users, in the order of the index "subkey" (isadmin)
    engine::Query* qryStat;     ///< statistics set its SQL
    engine::Query* contractquery;
    engine::Query* redeployquery;

    QString loginuser;
    QString loginright; ///< "admin" or "guest" after a login
    /// Whether the logged-in user has the guest right (before a login: no).
    bool isGuest() const { return isGuestRight(loginright); }
    /// The one reading of a right: "guest" limits, anything else is an administrator's.
    static bool isGuestRight(const QString& right) { return right == QLatin1String("guest"); }

    /// The file filter of the repair's file chooser.
    static QString databaseFileFilter() { return QStringLiteral("roster数据库文件(*.dat)|*.dat"); }

    /// The personnel window's active page (0 基本档案 ... 8 备注); set by that window. Without it no
    /// detail query is reselected.
    std::function<int()> activePage;
    /// The photo-file step after a move and after storing a person, filled in by the personnel
    /// window (it knows whether photos are files and owns the image). Called with the person's ID.
    std::function<void(const QString& personId)> photoAfterScroll;
    std::function<void(const QString& personId)> photoAfterPost;
    /// "Now" for the age rule; empty = the local clock (read once per run and advanced by a
    /// monotonic timer, so that each computation still has its own instant).
    agerule::Clock clock;

    /// The `id` of the person query's current row; empty when there is none.
    QString currentPersonId() const;

    /// The detail query shown on a page of the personnel window (its description in workerpages),
    /// nullptr for pages 0, 8 and others.
    engine::Query* detailQuery(int page) const;

    void dbConnect(engine::Database& database);
    /// Reselects the detail query of the personnel window's active page for the current person.
    void selectdetail();
    /// The same for the detail query of one page.
    void selectdetail(int page);
    void personqueryBeforeScroll(engine::Dataset& dataset);
    /// Stores a row typed into on a page of the personnel window (or drops it, telling why, when the
    /// store fails).
    void storeDetailEdits(int page);
    void personqueryAfterScroll(engine::Dataset& dataset);
    void personqueryAfterPost(engine::Dataset& dataset);
    void personqueryPostError(engine::Dataset& dataset, const engine::DbError& error, engine::DataAction& action);
    void familyqueryBeforePost(engine::Dataset& dataset);
    void honorqueryBeforePost(engine::Dataset& dataset);
    void histqueryBeforePost(engine::Dataset& dataset);
    void assessqueryBeforePost(engine::Dataset& dataset);
    void trainqueryBeforePost(engine::Dataset& dataset);
    void contractqueryBeforePost(engine::Dataset& dataset);
    void redeployqueryBeforePost(engine::Dataset& dataset);

    /// Recomputes age, workage and hereworkage of every person in one transaction; `progress`
    /// gets (rows done, rows in all) after each row. An error while storing a row ends the run
    /// with that error; the rows before it keep their new values.
    void recalcages(const std::function<void(int done, int total)>& progress = {});

    /// Compacts the database file the connection uses (closed for it, reopened after it) and
    /// reports to the user: "本地数据库压缩完成！" or "本地数据库压缩出错！" (the connection stays closed).
    /// A failure to reopen reaches the caller as the engine's error.
    void compactdb();
    /// Repairs a database file and reports to the user. With an empty name the user chooses the
    /// file (cancel: nothing happens) and the connection is closed around the repair; with a name
    /// (the recovery wizard) that file is repaired and the connection left alone.
    void repairdb(const QString& name);

    /// The value written into a derived field for one source date (the batch's rule): "0" for an
    /// empty text, a date not before now, or less than a year; throws when the text is no date.
    static QString derivedYears(engine::Field source, const QDateTime& now);

private:
    engine::Query* makeQuery(const char* name, const QStringList& lines, const QString& where, const QString& order);
    void stampKey(engine::Dataset& detail, const QString& keyField);
};
