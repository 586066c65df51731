#pragma once

#include <QString>

class Tdm;

/// The move of the current person to another department and, optionally, another duty, recorded
/// in the table of redeployments.
namespace redeployment {

/// What the redeployment dialog hands over: the three department levels, the duty (empty: the
/// duty stays) and the reason.
struct Target
{
    QString dept;
    QString dept1;
    QString dept2;
    QString duty;
    QString reason;
};

/// Moves the current person of the person query to `target` and writes one "部门调动" row, plus
/// one "职务调动" row when a duty is given, through the redeployment query. The person change and
/// its rows are stored together or not at all. Unsaved changes of the person and of the row being
/// edited in the redeployment query are stored first, on their own.
/// Reports "调动成功！", "调动失败！" or "调动失败，部门不能为空！"; true on success.
bool redeploy(Tdm& dm, const Target& target);

} // namespace redeployment
