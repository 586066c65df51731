#pragma once

#include "platform/interaction.h"

#include <QList>
#include <QStringList>
#include <functional>

/// A scripted stand-in for the message seam. It records every text shown and every file or
/// program opened, and answers questions and choosers from its script. A question or chooser
/// with no scripted answer left throws, so a test never waits on a dialog. Installs itself for
/// its lifetime.
class ScriptedInteraction : public interaction::Interaction
{
public:
    enum class Kind
    {
        Information,
        Warning,
        Error,
        Question,
        OpenFile,
        SaveFile,
        Directory
    };
    struct Shown
    {
        Kind kind;
        QString caption;
        QString text;
    };

    ScriptedInteraction();
    ~ScriptedInteraction() override;

    /// Answers for the coming questions (true = Yes), in order.
    void answer(std::initializer_list<bool> answers);
    /// Names for the coming file and directory choosers, in order; an empty name cancels.
    void choose(std::initializer_list<QString> names);

    /// Runs while each message or question is on screen, as the user's doings while a real box
    /// runs its own event loop.
    std::function<void(const Shown&)> whileShown;

    QList<Shown> shown;
    QStringList opened;         ///< documents and addresses opened with their default program
    QList<QStringList> started; ///< programs started: program followed by its arguments

    /// The texts of the messages and questions shown, in order.
    QStringList texts() const;
    QString lastText() const;
    void clear();

    void message(interaction::MessageKind kind, const QString& caption, const QString& text) override;
    bool question(const QString& caption, const QString& text) override;
    QString chooseOpenFile(const QString& caption, const QString& filter, const QString& startDir) override;
    QString chooseSaveFile(const QString& caption, const QString& filter, const QString& startPath) override;
    QString chooseDirectory(const QString& caption, const QString& startDir) override;
    bool openDocument(const QString& pathOrUrl) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;

private:
    QString nextName(Kind kind, const QString& caption, const QString& detail);

    QList<bool> m_answers;
    QStringList m_names;
};
