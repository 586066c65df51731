#include "records/statuschange.h"

#include "data/dmunit.h"
#include "platform/errorboundary.h"
#include "platform/interaction.h"

namespace statuschange {

QString statusCaption(Status status)
{
    return status == Status::Departed ? QStringLiteral("离职") : QStringLiteral("复职");
}

bool changeStatus(Tdm& dm, Status newStatus)
{
    const QString caption = statusCaption(newStatus);
    engine::Query* person = dm.personquery;
    if (person->state() == engine::DatasetState::Edit || person->state() == engine::DatasetState::Insert) {
        StdInfo(QStringLiteral("当前人员资料处于编辑状态，请保存之后再做本项操作！"));
        return false;
    }
    // The button is disabled for a guest and without a person; the rule holds here as well (an
    // edit of an empty list would start a new, empty person).
    if (dm.isGuest() || !person->active() || person->isEmpty()) {
        return false;
    }
    if (!AskYesNo(QStringLiteral("确定要将该人员状态转变为") + caption + QStringLiteral("吗?"))) {
        return false;
    }
    try {
        person->edit();
        person->field(QStringLiteral("status")).setAsInteger(int(newStatus));
        person->post();
        person->refresh();
    } catch (const std::exception&) {
        // The new status must not be stored later by the next move after "操作失败".
        ignoreErrors("status change: dropping the new status", [person] { person->cancel(); });
        StdError(QStringLiteral("操作失败"));
        return false;
    }
    StdInfo(QStringLiteral("操作成功，该人员状态已经转为") + caption + QStringLiteral("！"));
    return true;
}

} // namespace statuschange
