#pragma once

#include "report/report.h"

#include <QDate>

#include <memory>

namespace engine {
class Dataset;
}

/// The printed lists of the address book and the notepad, over their queries as they stand (with
/// the search and the order the user chose). The reports read the query while they are painted,
/// so it must stay open until then.
namespace officereports {

/// "我的通讯录": one line per entry with name, sex, the four telephone numbers and the e-mail
/// address (not the QQ number nor the comments); the print date at the top of every page.
std::unique_ptr<report::Report> addressBook(engine::Dataset& adbkquery, const QDate& printDate);

/// One note per page: "[sort] 之" over a rule, the title in large type, "日期：" and the date at
/// the right, the text in a box filling the rest of the page.
std::unique_ptr<report::Report> notes(engine::Dataset& notequery);

} // namespace officereports
