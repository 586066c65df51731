#include "records/setdlgform.h"

#include "app/windowcontext.h"
#include "platform/errorboundary.h"
#include "platform/errors.h"
#include "platform/interaction.h"
#include "records/activationwatcher.h"
#include "records/codelist.h"
#include "records/recordstyle.h"

#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

TSetDlgForm::TSetDlgForm(WindowContext& context)
    : QDialog(context.owner(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SetDlgForm"));
    recordstyle::fixAndCentre(this, 299, 320);

    const QString yellow = QStringLiteral("background-color: rgb(253, 251, 223);");

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("ListGroupBox"));
    GroupBox1->setGeometry(6, 2, 185, 240);
    ListBox1 = new QListWidget(GroupBox1);
    ListBox1->setObjectName(QStringLiteral("ListBox1ListWidget"));
    ListBox1->setGeometry(4, 8, 177, 227);
    ListBox1->setStyleSheet(QStringLiteral("QListWidget { %1 }").arg(yellow));

    auto* entryBox = new QGroupBox(QStringLiteral("这里输入你要添加的条目"), this);
    entryBox->setObjectName(QStringLiteral("EntryGroupBox"));
    entryBox->setGeometry(6, 246, 185, 66);
    Edit1 = new QLineEdit(entryBox);
    Edit1->setObjectName(QStringLiteral("Edit1LineEdit"));
    Edit1->setGeometry(8, 26, 169, 26);
    Edit1->setStyleSheet(QStringLiteral("QLineEdit { %1 }").arg(yellow));

    BitBtn1 = new QPushButton(QStringLiteral("增加"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1PushButton"));
    BitBtn1->setGeometry(198, 8, 94, 26);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("删除"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2PushButton"));
    BitBtn2->setGeometry(198, 36, 94, 26);
    recordstyle::makeHintBox(this, 198, 64, 94, 214);
    BitBtn3 = new QPushButton(QStringLiteral("退出"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3PushButton"));
    BitBtn3->setGeometry(198, 284, 94, 26);
    BitBtn3->setAutoDefault(false);
    BitBtn2->setAutoDefault(false);

    recordstyle::bindListKeys(
        ListBox1, [this] { BitBtn1Click(); }, [this] { BitBtn2Click(); });
    m_watcher = new ActivationWatcher(this);

    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &TSetDlgForm::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, guarded(this, &TSetDlgForm::BitBtn2Click));
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::close);
    connect(m_watcher, &ActivationWatcher::entered, this, guarded(this, &TSetDlgForm::enteredWindow));
    connect(m_watcher, &ActivationWatcher::left, this, guarded(this, &TSetDlgForm::leftWindow));
}

TSetDlgForm::~TSetDlgForm()
{
    // Going away is not leaving: the hide that destruction brings must not write anything.
    delete m_watcher;
}

void TSetDlgForm::openlist(const QString& caption, const QString& path)
{
    // Still showing another list: it goes to its own file before the path changes.
    m_watcher->leave();
    setWindowTitle(caption);
    GroupBox1->setTitle(QString());
    m_path = path;
    show();
    raise();
    activateWindow();
    if (isActiveWindow()) {
        // Already the active window: no activation will come to load the new list.
        m_watcher->enter();
    }
}

QStringList TSetDlgForm::entries() const
{
    QStringList lines;
    for (int i = 0; i < ListBox1->count(); ++i) {
        lines.append(ListBox1->item(i)->text());
    }
    return lines;
}

void TSetDlgForm::loadList()
{
    ListBox1->clear();
    ListBox1->addItems(codelist::read(m_path));
}

void TSetDlgForm::saveList()
{
    codelist::write(m_path, entries());
}

void TSetDlgForm::BitBtn1Click()
{
    if (!Edit1->text().isEmpty()) {
        ListBox1->addItem(Edit1->text());
        Edit1->clear();
        m_keepFile = false;
    }
    Edit1->setFocus();
}

void TSetDlgForm::BitBtn2Click()
{
    QListWidgetItem* item = ListBox1->currentItem();
    if (item == nullptr || !item->isSelected()) {
        return;
    }
    delete item;
    m_keepFile = false;
    Edit1->setFocus();
}

void TSetDlgForm::enteredWindow()
{
    m_keepFile = false;
    try {
        loadList();
    } catch (const std::exception& e) {
        // The file is there but could not be read: leaving unchanged must not replace it with nothing.
        ListBox1->clear();
        m_keepFile = true;
        m_watcher->setSuspended(true);
        showException(e);
        m_watcher->setSuspended(false);
    }
}

void TSetDlgForm::leftWindow()
{
    if (m_keepFile) {
        return;
    }
    try {
        saveList();
    } catch (const std::exception& e) {
        showException(e);
    }
}
