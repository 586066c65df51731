#include "records/recordstyle.h"

#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QWidget>

namespace recordstyle {

QString hintText()
{
    return QStringLiteral("  在新增资\n料对话框中\n输入要新的\n条目，按回\n车即可完成\n添加资料。\n\n"
                          "  选列表框\n中的条目点\n删除按钮即\n可以删除选\n中的条目！");
}

QGroupBox* makeHintBox(QWidget* parent, int x, int y, int width, int height)
{
    auto* box = new QGroupBox(QStringLiteral("提示"), parent);
    box->setObjectName(QStringLiteral("HintGroupBox"));
    box->setGeometry(x, y, width, height);
    // Twelve short lines must fit a narrow box: a small font and tight lines, as rich text
    // because plain labels know no line height.
    QString html = hintText().toHtmlEscaped();
    html.replace(u' ', QStringLiteral("&nbsp;")).replace(u'\n', QStringLiteral("<br>"));
    auto* label = new QLabel(QStringLiteral("<div style=\"line-height:78%\">%1</div>").arg(html), box);
    label->setObjectName(QStringLiteral("HintLabel"));
    label->setTextFormat(Qt::RichText);
    QFont font = label->font();
    font.setPixelSize(12);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(6, 20, width - 10, height - 24);
    return box;
}

void fixAndCentre(QWidget* window, int width, int height)
{
    window->setFixedSize(width, height);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window->move(area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2);
    }
}

} // namespace recordstyle

namespace {

/// Turns the Insert and Delete keys of one widget into two actions.
class ListKeys : public QObject
{
public:
    ListKeys(QWidget* list, std::function<void()> insertKey, std::function<void()> deleteKey)
        : QObject(list), m_insert(std::move(insertKey)), m_delete(std::move(deleteKey))
    {
        list->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Insert) {
            m_insert();
            return true;
        }
        if (key == Qt::Key_Delete) {
            m_delete();
            return true;
        }
        return false;
    }

private:
    std::function<void()> m_insert;
    std::function<void()> m_delete;
};

} // namespace

void recordstyle::bindListKeys(QWidget* list, std::function<void()> insertKey, std::function<void()> deleteKey)
{
    new ListKeys(list, std::move(insertKey), std::move(deleteKey));
}
