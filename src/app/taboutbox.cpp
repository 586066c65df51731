#include "app/taboutbox.h"

#include "app/sysinfo.h"
#include "platform/interaction.h"
#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("AboutBoxDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(450, 300);

    // Created before the main window, so it reads the installation file by itself.
    const AboutInfo info = readAboutInfo(paths::sysinifile());
    interaction::setAppTitle(info.appTitle);
    m_title = info.appTitle;
    setWindowTitle(info.appTitle);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("ProgramIconLabel"));
    m_picture->setGeometry(0, 0, 450, 300);
    m_picture->setScaledContents(true);
    m_picture->setPixmap(builtInPicture(info.appTitle));

    auto makeLabel = [this](const QString& text, const char* name) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setStyleSheet(QStringLiteral("color: #1b2a4a; background: transparent;"));
        // Right-aligned: the start picture keeps its own caption at the bottom left.
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return label;
    };
    m_copyright = makeLabel(info.copyright, "CopyrightLabel");
    m_version = makeLabel(info.version, "VersionLabel");
    m_website = makeLabel(info.website, "WebsiteLabel");
    m_mail = makeLabel(info.mail, "MailLabel");

    auto* texts = new QVBoxLayout(this);
    texts->setContentsMargins(24, 24, 18, 10);
    texts->setSpacing(0);
    texts->addStretch();
    texts->addWidget(m_version);
    texts->addWidget(m_copyright);
    texts->addWidget(m_website);
    texts->addWidget(m_mail);

    if (info.oemmode) {
        for (QLabel* label : {m_copyright, m_version, m_website, m_mail}) {
            label->hide();
        }
    }
}

QPixmap TAboutBox::builtInPicture(const QString& title)
{
    QPixmap pixmap(450, 300);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 300);
    sky.setColorAt(0, QColor(0xdf, 0xec, 0xfb));
    sky.setColorAt(1, QColor(0x6f, 0x9c, 0xd6));
    painter.fillRect(pixmap.rect(), sky);
    // A stack of folders, the archive the program keeps.
    for (int i = 0; i < 3; ++i) {
        const QRectF folder(300 + i * 14, 60 + i * 18, 110, 80);
        painter.setPen(QPen(QColor(0x8a, 0x5a, 0x12), 2));
        painter.setBrush(QColor(0xf3, 0xc6, 0x5f).darker(100 + i * 8));
        painter.drawRoundedRect(folder, 6, 6);
    }
    painter.setPen(QColor(0x10, 0x24, 0x4a));
    QFont font = painter.font();
    font.setPixelSize(30);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(24, 40, 300, 60), Qt::AlignLeft | Qt::AlignVCenter, title);
    font.setPixelSize(14);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(26, 100, 300, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("人事档案管理"));
    return pixmap;
}

void TAboutBox::showEvent(QShowEvent* event)
{
    const QString startPicture =
        paths::apppath() + QStringLiteral("pic") + QDir::separator() + QStringLiteral("start.jpg");
    if (QFile::exists(startPicture)) {
        const QPixmap picture(startPicture);
        if (!picture.isNull()) {
            m_picture->setPixmap(picture);
        }
    }
    QDialog::showEvent(event);
}

void TAboutBox::mouseReleaseEvent(QMouseEvent* event)
{
    Q_UNUSED(event);
    close();
}
