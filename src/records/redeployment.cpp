#include "records/redeployment.h"

#include "data/dmunit.h"
#include "platform/errorboundary.h"
#include "platform/interaction.h"

namespace redeployment {

namespace {

bool editing(const engine::Dataset& dataset)
{
    return dataset.state() == engine::DatasetState::Edit || dataset.state() == engine::DatasetState::Insert;
}

void insertRow(engine::Query& rows, const QString& personId, const QString& category, const QString& from,
               const QString& to, const QString& reason)
{
    rows.insert();
    rows.field(QStringLiteral("person_id")).setAsString(personId);
    rows.field(QStringLiteral("category")).setAsString(category);
    rows.field(QStringLiteral("from_value")).setAsString(from);
    rows.field(QStringLiteral("to_value")).setAsString(to);
    rows.field(QStringLiteral("reason")).setAsString(reason);
    rows.post();
}

/// After a rollback the datasets still show what was undone: drop their pending rows and read
/// them again from the database.
void resync(engine::Query& dataset)
{
    try {
        dataset.cancel();
        if (dataset.active()) {
            dataset.refresh();
        }
    } catch (const std::exception&) {
        ignoreErrors("redeployment: closing a dataset after a rollback", [&dataset] { dataset.close(); });
    }
}

} // namespace

bool redeploy(Tdm& dm, const Target& target)
{
    if (target.dept.isEmpty()) {
        ShowError(QStringLiteral("调动失败，部门不能为空！"));
        return false;
    }
    engine::Query& person = *dm.personquery;
    engine::Query& rows = *dm.redeployquery;
    // The button is disabled for a guest and without a person; the rule holds here as well.
    if (dm.isGuest()) {
        return false;
    }
    if (!person.active() || person.isEmpty()) {
        ShowError(QStringLiteral("调动失败！"));
        return false;
    }
    // What the user typed into the person before is theirs and is stored on its own, as a move
    // to another page would; a failed redeployment must not take it away.
    // The same holds for a redeployment row being edited on the page.
    try {
        if (editing(person)) {
            person.post();
        }
        if (editing(rows)) {
            rows.checkBrowseMode();
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("调动失败！"));
        return false;
    }

    // "调动失败！" below is the whole report to the user; the engine's text goes to the log.
    const bool stored = ignoreErrors("redeployment", [&] {
        engine::Transaction transaction(*dm.db);
        try {
            if (!rows.active()) {
                rows.open();
            }
            person.edit();
            const QString personId = person.field(QStringLiteral("id")).asString();
            const QString oldDept = person.field(QStringLiteral("dept")).asString() +
                                    person.field(QStringLiteral("dept_1")).asString() +
                                    person.field(QStringLiteral("dept_2")).asString();
            const QString oldDuty = person.field(QStringLiteral("duty")).asString();

            person.field(QStringLiteral("dept")).setAsString(target.dept);
            person.field(QStringLiteral("dept_1")).setAsString(target.dept1);
            person.field(QStringLiteral("dept_2")).setAsString(target.dept2);
            if (!target.duty.isEmpty()) {
                person.field(QStringLiteral("duty")).setAsString(target.duty);
            }
            person.post();

            insertRow(rows, personId, QStringLiteral("部门调动"), oldDept, target.dept + target.dept1 + target.dept2,
                      target.reason);
            if (!target.duty.isEmpty()) {
                insertRow(rows, personId, QStringLiteral("职务调动"), oldDuty, target.duty, target.reason);
            }
            transaction.commit();
        } catch (...) {
            transaction.rollback();
            throw;
        }
    });
    if (!stored) {
        resync(rows);
        resync(person);
        ShowError(QStringLiteral("调动失败！"));
        return false;
    }
    ShowInfo(QStringLiteral("调动成功！"));
    return true;
}

} // namespace redeployment
