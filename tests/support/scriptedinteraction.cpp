#include "scriptedinteraction.h"

#include <stdexcept>

using interaction::MessageKind;

ScriptedInteraction::ScriptedInteraction()
{
    interaction::install(this);
}

ScriptedInteraction::~ScriptedInteraction()
{
    interaction::install(nullptr);
}

void ScriptedInteraction::answer(std::initializer_list<bool> answers)
{
    m_answers.append(QList<bool>(answers));
}

void ScriptedInteraction::choose(std::initializer_list<QString> names)
{
    m_names.append(QStringList(names));
}

QStringList ScriptedInteraction::texts() const
{
    QStringList result;
    for (const Shown& s : shown) {
        if (s.kind <= Kind::Question) {
            result.append(s.text);
        }
    }
    return result;
}

QString ScriptedInteraction::lastText() const
{
    const QStringList all = texts();
    return all.isEmpty() ? QString() : all.last();
}

void ScriptedInteraction::clear()
{
    shown.clear();
    opened.clear();
    started.clear();
}

void ScriptedInteraction::message(MessageKind kind, const QString& caption, const QString& text)
{
    const Kind k = kind == MessageKind::Error     ? Kind::Error
                   : kind == MessageKind::Warning ? Kind::Warning
                                                  : Kind::Information;
    shown.append({k, caption, text});
    if (whileShown) {
        whileShown(Shown(shown.last())); // a copy: the handler may show more
    }
}

bool ScriptedInteraction::question(const QString& caption, const QString& text)
{
    shown.append({Kind::Question, caption, text});
    if (whileShown) {
        whileShown(Shown(shown.last())); // a copy: the handler may show more
    }
    if (m_answers.isEmpty()) {
        throw std::logic_error("no scripted answer for the question: " + text.toStdString());
    }
    return m_answers.takeFirst();
}

QString ScriptedInteraction::nextName(Kind kind, const QString& caption, const QString& detail)
{
    shown.append({kind, caption, detail});
    if (m_names.isEmpty()) {
        throw std::logic_error("no scripted file name for the chooser: " + caption.toStdString());
    }
    return m_names.takeFirst();
}

QString ScriptedInteraction::chooseOpenFile(const QString& caption, const QString& filter, const QString&)
{
    return nextName(Kind::OpenFile, caption, filter);
}

QString ScriptedInteraction::chooseSaveFile(const QString& caption, const QString& filter, const QString&)
{
    return nextName(Kind::SaveFile, caption, filter);
}

QString ScriptedInteraction::chooseDirectory(const QString& caption, const QString& startDir)
{
    return nextName(Kind::Directory, caption, startDir);
}

bool ScriptedInteraction::openDocument(const QString& pathOrUrl)
{
    opened.append(pathOrUrl);
    return true;
}

bool ScriptedInteraction::startProgram(const QString& program, const QStringList& arguments)
{
    started.append(QStringList{program} + arguments);
    return true;
}
