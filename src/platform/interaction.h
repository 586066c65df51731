#pragma once

#include <QString>
#include <QStringList>

#include <exception>

/// The one seam through which the system talks to the user and the desktop: message boxes,
/// file choosers and shell calls. The program installs the widget implementation; tests
/// install a scripted stand-in, so no test ever waits on a real dialog.
namespace interaction {

enum class MessageKind
{
    Information,
    Warning,
    Error
};

class Interaction
{
public:
    virtual ~Interaction() = default;

    virtual void message(MessageKind kind, const QString& caption, const QString& text) = 0;
    /// A question with Yes and No; true for Yes.
    virtual bool question(const QString& caption, const QString& text) = 0;

    /// Filters are written as the installation writes them: "描述|*.a;*.b|描述|*.c".
    /// An empty result means the user cancelled.
    virtual QString chooseOpenFile(const QString& caption, const QString& filter, const QString& startDir) = 0;
    virtual QString chooseSaveFile(const QString& caption, const QString& filter, const QString& startPath) = 0;
    virtual QString chooseDirectory(const QString& caption, const QString& startDir) = 0;

    /// Opens a file or an address with the desktop's default program; false when that failed.
    virtual bool openDocument(const QString& pathOrUrl) = 0;
    /// Starts a program with parameters; false when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
};

/// The installed implementation (a console one until the program or a test installs another).
Interaction& current();
/// Installs an implementation, not owned; nullptr puts the console one back.
void install(Interaction* implementation);

/// The application title, caption of ShowInfo, ShowError and AskYesNo.
QString appTitle();
void setAppTitle(const QString& title);

/// Turns "描述|*.a;*.b|其他|*.c" into the toolkit's "描述 (*.a *.b);;其他 (*.c)".
QString toQtFilter(const QString& filter);

} // namespace interaction

/// The three message boxes of the system, captioned by the application title.
void ShowInfo(const QString& text);
void ShowError(const QString& text);
bool AskYesNo(const QString& text);
/// Shows an exception the way the default error display does: its message in ShowError's box.
void showException(const std::exception& e);

/// The toolkit's standard message dialogs: one OK button, titled by their kind.
void StdInfo(const QString& text);
void StdError(const QString& text);
void StdWarning(const QString& text);
