#pragma once

#include "platform/interaction.h"

/// The seam's real implementation: modal message boxes, the toolkit's file dialogs and the
/// desktop's default programs.
class WidgetInteraction : public interaction::Interaction
{
public:
    void message(interaction::MessageKind kind, const QString& caption, const QString& text) override;
    bool question(const QString& caption, const QString& text) override;
    QString chooseOpenFile(const QString& caption, const QString& filter, const QString& startDir) override;
    QString chooseSaveFile(const QString& caption, const QString& filter, const QString& startPath) override;
    QString chooseSaveFileType(const QString& caption, const QString& filter, const QString& startPath,
                               int* type) override;
    QString chooseDirectory(const QString& caption, const QString& startDir) override;
    bool openDocument(const QString& pathOrUrl) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
};
