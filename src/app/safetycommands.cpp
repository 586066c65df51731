#include "app/safetycommands.h"

#include "app/commands.h"
#include "app/tmainform.h"
#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "platform/interaction.h"
#include "safety/tbakform.h"

void bindSafetyCommands(Tmainform& mainform, WindowContext& context)
{
    const auto openBakform = [&mainform, &context](bool backupmode) {
        mainform.backupmode = backupmode;
        Tbakform form(context, mainform.backupmode, &mainform);
        context.runModal(form);
    };
    mainform.bindCommand(command::Backup, [openBakform] { openBakform(true); });
    mainform.bindCommand(command::Restore, [openBakform] { openBakform(false); });

    // Compaction and repair: an administrator's, after a question.
    const auto maintenance = [&context](const QString& question, const std::function<void()>& action) {
        return [&context, question, action] {
            if (context.isGuest()) {
                ShowError(QStringLiteral("你是普通用户，无法完成这项操作，请找管理员协商！"));
                return;
            }
            if (AskYesNo(question)) {
                action();
            }
        };
    };
    Tdm& dm = context.dm();
    mainform.bindCommand(command::Compact,
                         maintenance(QStringLiteral("你真的要压缩数据库吗？"), [&dm] { dm.compactdb(); }));
    mainform.bindCommand(command::Repair,
                         maintenance(QStringLiteral("你真的要修复数据库吗？"), [&dm] { dm.repairdb(QString()); }));
}
