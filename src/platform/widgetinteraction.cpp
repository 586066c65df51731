#include "platform/widgetinteraction.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

using interaction::MessageKind;

namespace {

QWidget* dialogParent()
{
    // A modal window first: a box parented elsewhere could open behind one kept on top.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return QApplication::activeWindow();
}

/// A short text makes a narrow box whose title bar cuts the caption; keep room for it.
void keepCaptionVisible(QMessageBox& box)
{
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) + 120;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
}

} // namespace

void WidgetInteraction::message(MessageKind kind, const QString& caption, const QString& text)
{
    const QMessageBox::Icon icon = kind == MessageKind::Error     ? QMessageBox::Critical
                                   : kind == MessageKind::Warning ? QMessageBox::Warning
                                                                  : QMessageBox::Information;
    QMessageBox box(icon, caption, text, QMessageBox::Ok, dialogParent());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    keepCaptionVisible(box);
    box.exec();
}

bool WidgetInteraction::question(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, dialogParent());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    box.setDefaultButton(QMessageBox::Yes);
    keepCaptionVisible(box);
    return box.exec() == QMessageBox::Yes;
}

QString WidgetInteraction::chooseOpenFile(const QString& caption, const QString& filter, const QString& startDir)
{
    return QFileDialog::getOpenFileName(dialogParent(), caption, startDir, interaction::toQtFilter(filter));
}

QString WidgetInteraction::chooseSaveFile(const QString& caption, const QString& filter, const QString& startPath)
{
    return QFileDialog::getSaveFileName(dialogParent(), caption, startPath, interaction::toQtFilter(filter));
}

QString WidgetInteraction::chooseSaveFileType(const QString& caption, const QString& filter, const QString& startPath,
                                              int* type)
{
    const QString qtFilter = interaction::toQtFilter(filter);
    QString selected;
    const QString name = QFileDialog::getSaveFileName(dialogParent(), caption, startPath, qtFilter, &selected);
    *type = std::max(0, int(qtFilter.split(QStringLiteral(";;")).indexOf(selected)));
    return name;
}

QString WidgetInteraction::chooseDirectory(const QString& caption, const QString& startDir)
{
    return QFileDialog::getExistingDirectory(dialogParent(), caption, startDir);
}

bool WidgetInteraction::openDocument(const QString& pathOrUrl)
{
    const QUrl url = QFileInfo::exists(pathOrUrl) ? QUrl::fromLocalFile(pathOrUrl) : QUrl::fromUserInput(pathOrUrl);
    return QDesktopServices::openUrl(url);
}

bool WidgetInteraction::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}
