#include "records/recordstyle.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QFont>
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
