#include "platform/interaction.h"

#include "platform/errors.h"

#include <QProcess>
#include <QTextStream>

namespace interaction {
namespace {

/// Used before a window system is up (and by the command-line tool): texts go to stderr,
/// questions are answered No, choosers are cancelled.
class ConsoleInteraction : public Interaction
{
public:
    void message(MessageKind, const QString& caption, const QString& text) override
    {
        QTextStream(stderr) << caption << ": " << text << Qt::endl;
    }
    bool question(const QString& caption, const QString& text) override
    {
        message(MessageKind::Information, caption, text);
        return false;
    }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseDirectory(const QString&, const QString&) override { return {}; }
    bool openDocument(const QString&) override { return false; }
    bool startProgram(const QString& program, const QStringList& arguments) override
    {
        return QProcess::startDetached(program, arguments);
    }
};

ConsoleInteraction g_console;
Interaction* g_current = &g_console;
QString g_title = QStringLiteral("Dossiera");

} // namespace

Interaction& current()
{
    return *g_current;
}

void install(Interaction* implementation)
{
    g_current = implementation ? implementation : &g_console;
}

QString appTitle()
{
    return g_title;
}

void setAppTitle(const QString& title)
{
    g_title = title;
}

QString toQtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(u';', u' ');
        QString label = parts.at(i);
        const qsizetype paren = label.indexOf(u'(');
        if (paren > 0) {
            label = label.left(paren).trimmed();
        }
        entries.append(QStringLiteral("%1 (%2)").arg(label, patterns));
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace interaction

using interaction::MessageKind;

void ShowInfo(const QString& text)
{
    interaction::current().message(MessageKind::Information, interaction::appTitle(), text);
}

void ShowError(const QString& text)
{
    interaction::current().message(MessageKind::Error, interaction::appTitle(), text);
}

void showException(const std::exception& e)
{
    ShowError(exceptionText(e));
}

bool AskYesNo(const QString& text)
{
    return interaction::current().question(interaction::appTitle(), text);
}

void StdInfo(const QString& text)
{
    interaction::current().message(MessageKind::Information, QStringLiteral("信息"), text);
}

void StdError(const QString& text)
{
    interaction::current().message(MessageKind::Error, QStringLiteral("错误"), text);
}

void StdWarning(const QString& text)
{
    interaction::current().message(MessageKind::Warning, QStringLiteral("警告"), text);
}
