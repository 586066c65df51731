#include "exchange/texportform.h"

#include "app/windowcontext.h"
#include "platform/errorboundary.h"
#include "platform/errors.h"
#include "platform/interaction.h"
#include "platform/paths.h"
#include "platform/screencentre.h"
#include "platform/workprogress.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

#include <memory>

namespace {

constexpr int StripWidth = 140;
constexpr qint64 ShowProgressAfterMs = 1000;
constexpr int PageLeft = StripWidth + 10;
constexpr int PageWidth = Texportform::DesignWidth - PageLeft - 8;
constexpr int PageHeight = 262;

/// A document picture beside an output choice: a page with a folded corner and its letter.
QPixmap documentPicture(const QColor& colour, const QString& letter)
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath page;
    page.moveTo(6, 2);
    page.lineTo(21, 2);
    page.lineTo(27, 8);
    page.lineTo(27, 30);
    page.lineTo(6, 30);
    page.closeSubpath();
    painter.setPen(QPen(colour.darker(130), 1));
    painter.setBrush(Qt::white);
    painter.drawPath(page);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(2, 11, 19, 15), 2, 2);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(2, 11, 19, 15), Qt::AlignCenter, letter);
    return picture;
}

/// The strip on the wizard's left: a blue gradient with a stack of pages going out.
QPixmap stripPicture(const QSize& size)
{
    QPixmap picture(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x1E, 0x4E, 0x8C));
    sky.setColorAt(1, QColor(0x8F, 0xB8, 0xE8));
    painter.fillRect(picture.rect(), sky);
    for (int i = 0; i < 3; ++i) {
        const QRectF sheet(28 + i * 14, 60 + i * 18, 60, 78);
        painter.setPen(QPen(QColor(0x1E, 0x4E, 0x8C), 1));
        painter.setBrush(QColor(255, 255, 255, 200 + i * 25));
        painter.drawRect(sheet);
        painter.setPen(QColor(0x8F, 0xB8, 0xE8));
        for (int line = 0; line < 5; ++line) {
            const qreal y = sheet.top() + 14 + line * 12;
            painter.drawLine(QPointF(sheet.left() + 8, y), QPointF(sheet.right() - 8, y));
        }
    }
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(18);
    painter.setFont(font);
    painter.drawText(QRectF(0, size.height() - 70, size.width(), 30), Qt::AlignCenter, QStringLiteral("数据输出"));
    return picture;
}

QRadioButton* choice(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(name);
    return button;
}

QPushButton* button(const QString& text, const QString& name, QWidget* parent)
{
    auto* result = new QPushButton(text, parent);
    result->setObjectName(name);
    result->setAutoDefault(false);
    return result;
}

} // namespace

Texportform::Texportform(WindowContext& context) : QDialog(context.owner()), m_context(context)
{
    setObjectName(QStringLiteral("exportform"));
    setWindowTitle(QStringLiteral("数据库输出"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
    setFixedSize(DesignWidth, DesignHeight);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1Label"));
    Image1->setGeometry(8, 8, StripWidth - 8, PageHeight);
    Image1->setPixmap(stripPicture(Image1->size()));

    Notebook1 = new QStackedWidget(this);
    Notebook1->setObjectName(QStringLiteral("Notebook1StackedWidget"));
    Notebook1->setGeometry(PageLeft, 8, PageWidth, PageHeight);

    // Page 1: the kind of document.
    GroupBox1 = new QGroupBox(QStringLiteral("第一步：请选择要输出的类型"));
    GroupBox1->setObjectName(QStringLiteral("GroupBox1GroupBox"));
    QWidget* first = choicePage(GroupBox1, QStringLiteral("选择完后请点击“下一步“按钮继续本向导"));
    Label1 = new QLabel(QStringLiteral("欢迎使用roster数据输出向导"), first);
    Label1->setObjectName(QStringLiteral("Label1Label"));
    QFont welcome = Label1->font();
    welcome.setBold(true);
    welcome.setPointSize(welcome.pointSize() + 2);
    Label1->setFont(welcome);
    Label1->setGeometry(0, 0, PageWidth, 28);
    RadioButton1 = choice(QStringLiteral("Word文档格式"), QStringLiteral("RadioButton1RadioButton"), GroupBox1);
    RadioButton2 = choice(QStringLiteral("Excel电子表格格式"), QStringLiteral("RadioButton2RadioButton"), GroupBox1);
    RadioButton3 = choice(QStringLiteral("Web页格式"), QStringLiteral("RadioButton3RadioButton"), GroupBox1);
    const QList<QPair<QRadioButton*, QPixmap>> kinds = {
        {RadioButton1, documentPicture(QColor(0x2B, 0x57, 0x9A), QStringLiteral("W"))},
        {RadioButton2, documentPicture(QColor(0x21, 0x73, 0x46), QStringLiteral("X"))},
        {RadioButton3, documentPicture(QColor(0xE0, 0x6C, 0x1A), QStringLiteral("e"))}};
    for (int i = 0; i < kinds.size(); ++i) {
        auto* picture = new QLabel(GroupBox1);
        picture->setObjectName(QStringLiteral("Image%1Label").arg(i + 2));
        picture->setPixmap(kinds[i].second);
        picture->setGeometry(24, 28 + i * 48, 32, 32);
        kinds[i].first->setGeometry(68, 34 + i * 48, PageWidth - 90, 20);
    }
    RadioButton1->setChecked(true);

    // Page 2: the fields, as section export lists them, none ticked.
    GroupBox2 = new QGroupBox(QStringLiteral("第二步：请选择要输出的字段"));
    GroupBox2->setObjectName(QStringLiteral("GroupBox2GroupBox"));
    choicePage(GroupBox2, QStringLiteral("选择完后请点击“下一步“按钮继续本向导"));
    CheckListBox1 = new QListWidget(GroupBox2);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1ListWidget"));
    CheckListBox1->setGeometry(10, 22, GroupBox2->width() - 20, GroupBox2->height() - 32);
    // Three columns, read like the list: left to right, then the next line; a longer list scrolls.
    CheckListBox1->setFlow(QListView::LeftToRight);
    CheckListBox1->setWrapping(true);
    CheckListBox1->setResizeMode(QListView::Adjust);
    CheckListBox1->setGridSize(QSize((CheckListBox1->width() - 24) / 3, 20));
    CheckListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CheckListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (const exporting::ExportField& field : exporting::readFieldList(paths::sysinifile())) {
        auto* item = new QListWidgetItem(field.caption, CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    connect(CheckListBox1, &QListWidget::itemClicked, this, [](QListWidgetItem* item) {
        // A click anywhere on the item ticks it, not only on its box.
        if ((item->flags() & Qt::ItemIsUserCheckable) != 0) {
            item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        }
    });

    // Page 3: the persons, and the notes.
    GroupBox3 = new QGroupBox(QStringLiteral("第三步：开始输出"));
    GroupBox3->setObjectName(QStringLiteral("GroupBox3GroupBox"));
    choicePage(GroupBox3, QString());
    RadioButton4 = choice(QStringLiteral("全库数据"), QStringLiteral("RadioButton4RadioButton"), GroupBox3);
    RadioButton4->setGeometry(20, 26, 120, 20);
    RadioButton5 = choice(QStringLiteral("查询结果"), QStringLiteral("RadioButton5RadioButton"), GroupBox3);
    RadioButton5->setGeometry(160, 26, 120, 20);
    RadioButton4->setChecked(true);
    Memo1 = new QPlainTextEdit(GroupBox3);
    Memo1->setObjectName(QStringLiteral("Memo1PlainTextEdit"));
    Memo1->setReadOnly(true);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setGeometry(20, 56, GroupBox3->width() - 40, GroupBox3->height() - 66);
    Memo1->setPlainText(QStringList{QStringLiteral("注意事项:"), QString(),
                                    QStringLiteral("如果是数据输出到Word或者Excel格式请先检查"), QString(),
                                    QStringLiteral("一下你系统中是否装有Microsoft Office系列"), QString(),
                                    QStringLiteral("软件，如果有，请点击\"数据输出\"按钮，输出数据。")}
                            .join(u'\n'));

    const int buttonTop = DesignHeight - 36;
    BitBtn1 = button(QStringLiteral("上一步"), QStringLiteral("BitBtn1PushButton"), this);
    BitBtn1->setGeometry(PageLeft, buttonTop, 75, 26);
    BitBtn2 = button(QStringLiteral("下一步"), QStringLiteral("BitBtn2PushButton"), this);
    BitBtn2->setGeometry(PageLeft + 83, buttonTop, 75, 26);
    BitBtn3 = button(QStringLiteral("数据输出"), QStringLiteral("BitBtn3PushButton"), this);
    BitBtn3->setGeometry(PageLeft + 166, buttonTop, 75, 26);
    BitBtn4 = button(QStringLiteral("取消"), QStringLiteral("BitBtn4PushButton"), this);
    BitBtn4->setGeometry(PageLeft + 249, buttonTop, 75, 26);

    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &Texportform::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, guarded(this, &Texportform::BitBtn2Click));
    connect(BitBtn3, &QPushButton::clicked, this, guarded(this, &Texportform::BitBtn3Click));
    // The cancel button: Esc does the same (QDialog::reject); both only hide the wizard.
    connect(BitBtn4, &QPushButton::clicked, this, &Texportform::reject);

    showPage(0);
}

QWidget* Texportform::choicePage(QGroupBox* group, const QString& note)
{
    auto* page = new QWidget;
    group->setParent(page);
    const int noteHeight = note.isEmpty() ? 0 : 24;
    group->setGeometry(0, 34, PageWidth, PageHeight - 34 - noteHeight);
    if (!note.isEmpty()) {
        auto* label = new QLabel(note, page);
        label->setObjectName(group->objectName() + QStringLiteral("Note"));
        label->setGeometry(0, PageHeight - noteHeight, PageWidth, noteHeight);
    }
    Notebook1->addWidget(page);
    return page;
}

void Texportform::showPage(int page)
{
    Notebook1->setCurrentIndex(page);
    const int last = Notebook1->count() - 1;
    BitBtn1->setEnabled(page > 0);
    BitBtn2->setEnabled(page < last);
    BitBtn3->setEnabled(page == last);
}

int Texportform::page() const
{
    return Notebook1->currentIndex();
}

void Texportform::BitBtn1Click()
{
    showPage(std::max(0, page() - 1));
}

void Texportform::BitBtn2Click()
{
    showPage(std::min(Notebook1->count() - 1, page() + 1));
}

void Texportform::openWith(exporting::Source source)
{
    (source == exporting::Source::FoundPersons ? RadioButton5 : RadioButton4)->setChecked(true);
    if (!m_placed) {
        centreOnScreen(*this);
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

exporting::Format Texportform::format() const
{
    if (RadioButton2->isChecked()) {
        return exporting::Format::Excel;
    }
    return RadioButton3->isChecked() ? exporting::Format::Web : exporting::Format::Word;
}

exporting::Source Texportform::source() const
{
    return RadioButton5->isChecked() ? exporting::Source::FoundPersons : exporting::Source::AllPersons;
}

exporting::Selection Texportform::getinfo() const
{
    QStringList ticked;
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        if (CheckListBox1->item(i)->checkState() == Qt::Checked) {
            ticked << CheckListBox1->item(i)->text();
        }
    }
    return exporting::getinfo(ticked, paths::sysinifile());
}

void Texportform::BitBtn3Click()
{
    exporting::Request request;
    request.format = format();
    request.source = source();
    request.selection = getinfo();
    request.path = exporting::defaultPath(request.format);
    request.date = QDate::currentDate();
    QDir().mkpath(QFileInfo(request.path).absolutePath());

    bool written = false;
    try {
        // Progress appears once the export has run for a second, and then only repaints.
        std::unique_ptr<WorkProgress> progress;
        QElapsedTimer clock;
        clock.start();
        written = exporting::exportPersons(m_context.dm(), request, [&](int done, int total) {
            if (!progress && clock.elapsed() >= ShowProgressAfterMs) {
                progress = std::make_unique<WorkProgress>(QStringLiteral("正在创建报表...请稍候"), this);
            }
            if (progress) {
                progress->step(done, total);
            }
        });
    } catch (const FileError& e) {
        if (request.format != exporting::Format::Word) {
            throw;
        }
        qWarning("export: %s", qPrintable(e.message()));
        ShowError(QStringLiteral("数据导出过程出现错误，中断数据导出"));
        return;
    }
    if (!written) {
        ShowInfo(QStringLiteral("没找到任何查询数据！"));
        return;
    }
    // As the original ignored a failed shell start, a missing desktop program only goes to the log.
    if (!m_context.ui().openDocument(request.path)) {
        qWarning("export: no program opened %s", qPrintable(request.path));
    }
    if (request.format == exporting::Format::Word) {
        ShowInfo(QStringLiteral("创建报表完毕！"));
    }
}
