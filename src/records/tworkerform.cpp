#include "records/tworkerform.h"

#include "app/windowcontext.h"
#include "data/agerule.h"
#include "data/dmunit.h"
#include "data/engine/query.h"
#include "dataaware/datagrid.h"
#include "dataaware/dateedit.h"
#include "dataaware/fieldlinks.h"
#include "platform/errorboundary.h"
#include "platform/errors.h"
#include "platform/inifile.h"
#include "platform/interaction.h"
#include "platform/paths.h"
#include "platform/screencentre.h"
#include "records/basedata.h"
#include "records/choicebox.h"
#include "records/codelist.h"
#include "records/deptdropform.h"
#include "records/photos.h"
#include "records/statuschange.h"
#include "records/tfrmredeploy.h"
#include "records/workerprint.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using engine::DatasetState;
using engine::Query;
using namespace workerpages;

namespace {

const QColor kGridBackground(247, 251, 255);
const QColor kOddRow(240, 255, 255);

bool isEditing(const engine::Dataset& dataset)
{
    return dataset.state() == DatasetState::Edit || dataset.state() == DatasetState::Insert;
}

/// The browser ignores a failed step: the data module reports its own errors.
const char* const kIgnored = "personnel browser";

struct PersonField
{
    const char* field;
    const char16_t* label;
    enum Kind
    {
        Text,
        Choice,
        Fixed,
        Date,
        Dept
    } kind;
};

// The person page in tab order.
const PersonField kPersonFields[] = {
    {"id", u"职工编号", PersonField::Text},
    {"name", u"姓名", PersonField::Text},
    {"folk", u"民族", PersonField::Choice},
    {"birth", u"生日", PersonField::Date},
    {"age", u"年龄", PersonField::Text},
    {"education", u"文化程度", PersonField::Choice},
    {"ismarry", u"婚姻状况", PersonField::Fixed},
    {"sex", u"性别", PersonField::Fixed},
    {"political", u"政治面貌", PersonField::Choice},
    {"cardID", u"身份证号", PersonField::Text},
    {"native", u"籍贯", PersonField::Text},
    {"date1", u"参加工作时间", PersonField::Date},
    {"workage", u"工龄", PersonField::Text},
    {"isworker", u"职工类型", PersonField::Choice},
    {"date2", u"入本单位时间", PersonField::Date},
    {"hereworkage", u"本单位工龄", PersonField::Text},
    {"aboutpay", u"工资类别", PersonField::Choice},
    {"dept", u"部门", PersonField::Dept},
    {"dept_1", u"二级部门", PersonField::Text},
    {"dept_2", u"三级部门", PersonField::Text},
    {"duty", u"职务", PersonField::Choice},
    {"technical", u"职称", PersonField::Choice},
    {"phone", u"联系电话", PersonField::Text},
    {"call", u"家庭电话", PersonField::Text},
    {"mphone", u"手机", PersonField::Text},
    {"school", u"毕业学校", PersonField::Text},
    {"subject", u"主修专业", PersonField::Text},
    {"gdate", u"毕业时间", PersonField::Date},
    {"addr", u"家庭住址", PersonField::Text},
};

/// The ellipsis of a choice box opens the base-data entry of its list.
QString listKeyOfEllipsis(const QString& field)
{
    return field == QLatin1String("dept") ? QStringLiteral("dept") : field;
}

QList<DataGrid::Column> gridColumns(const QList<GridColumn>& columns)
{
    QList<DataGrid::Column> result;
    for (const GridColumn& c : columns) {
        result.append({c.field, c.title, c.width});
    }
    return result;
}

QPushButton* linkButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QPushButton { color: red; text-decoration: underline; border: none; }"));
    return button;
}

QLabel* blueLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: blue;"));
    return label;
}

} // namespace

Tworkerform::Tworkerform(WindowContext& context) : QDialog(context.owner()), m_context(context), m_dm(context.dm())
{
    setObjectName(QStringLiteral("workerform"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(792, 545);
    setWindowTitle(QStringLiteral("在职人员浏览"));

    m_personLinks = new FieldLinks(m_dm.personquery, this);
    m_currentLinks = new FieldLinks(m_dm.personquery, this);
    m_photos = new PersonPhotos(m_dm, this);
    m_photos->attach();
    m_print = new WorkerPrint(m_context, this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(createTopStrip());

    auto* body = new QHBoxLayout;
    body->setSpacing(6);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    body->addLayout(left);
    body->addLayout(right, 1);
    layout->addLayout(body, 1);

    createPersonList();
    left->addWidget(showAllButton);
    left->addWidget(personGrid, 1);

    createPages();
    right->addWidget(pages, 1);

    auto* saveStrip = new QHBoxLayout;
    saveLink = linkButton(QStringLiteral("请按这里保存"), this);
    cancelLink = linkButton(QStringLiteral("请按这里取消修改"), this);
    saveStrip->addWidget(blueLabel(QStringLiteral("注意：数据录入或者修改之后"), this));
    saveStrip->addWidget(saveLink);
    saveStrip->addWidget(blueLabel(QStringLiteral("以确保数据已录入数据库"), this));
    saveStrip->addWidget(cancelLink);
    saveStrip->addStretch();
    right->addLayout(saveStrip);

    createButtons();
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b :
         {addButton, deleteButton, statusButton, redeployButton, previewButton, printButton, exitButton}) {
        buttons->addWidget(b);
    }
    right->addLayout(buttons);

    createConnections();

    m_dm.activePage = [this] { return activePage(); };
    setActivePage(PersonPage);
    pageChanged(PersonPage);
    setview(false);
}

Tworkerform::~Tworkerform()
{
    m_photos->detach();
    m_dm.activePage = nullptr;
}

QWidget* Tworkerform::createTopStrip()
{
    auto* top = new QWidget(this);
    auto* strip = new QHBoxLayout(top);
    strip->setContentsMargins(0, 0, 0, 0);

    auto* filterGroup = new QGroupBox(QStringLiteral("分类显示"), top);
    auto* filterLayout = new QHBoxLayout(filterGroup);
    filterLayout->setContentsMargins(6, 2, 6, 4);
    fieldChooser = new QComboBox(filterGroup);
    fieldChooser->setObjectName(QStringLiteral("fieldChooserComboBox"));
    fieldChooser->setMinimumWidth(110);
    valueBox = new QComboBox(filterGroup);
    valueBox->setObjectName(QStringLiteral("valueComboBox"));
    valueBox->setEditable(true);
    valueBox->setInsertPolicy(QComboBox::NoInsert);
    valueBox->setMinimumWidth(150);
    valueBox->setEnabled(false);
    filterLayout->addWidget(new QLabel(QStringLiteral("查询条件"), filterGroup));
    filterLayout->addWidget(fieldChooser);
    filterLayout->addWidget(new QLabel(QStringLiteral("查询内容"), filterGroup));
    filterLayout->addWidget(valueBox);
    strip->addWidget(filterGroup, 3);

    auto* currentGroup = new QGroupBox(QStringLiteral("当前记录"), top);
    currentGroup->setStyleSheet(QStringLiteral("QGroupBox { color: blue; }"));
    auto* currentLayout = new QHBoxLayout(currentGroup);
    currentLayout->setContentsMargins(6, 2, 6, 4);
    currentName = new QLineEdit(currentGroup);
    currentName->setObjectName(QStringLiteral("currentNameLineEdit"));
    currentId = new QLineEdit(currentGroup);
    currentId->setObjectName(QStringLiteral("currentIdLineEdit"));
    currentLayout->addWidget(new QLabel(QStringLiteral("姓名"), currentGroup));
    currentLayout->addWidget(currentName);
    currentLayout->addWidget(new QLabel(QStringLiteral("工号"), currentGroup));
    currentLayout->addWidget(currentId);
    strip->addWidget(currentGroup, 2);

    m_currentLinks->bind(currentName, QStringLiteral("name"));
    m_currentLinks->bind(currentId, QStringLiteral("id"));
    m_currentLinks->setReadOnly(true);
    return top;
}

void Tworkerform::createPersonList()
{
    showAllButton = new QPushButton(QStringLiteral("显示全部人员名单"), this);
    personGrid = new DataGrid(m_dm.personquery, {{"name", "姓名", 69}, {"id", "工号", 62}}, this);
    personGrid->setObjectName(QStringLiteral("personGridTableView"));
    personGrid->setFixedWidth(150);
}

void Tworkerform::createPages()
{
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1TabWidget"));
    // Nine captions share the page's width without scroll arrows.
    pages->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 3px 4px; border: 1px solid #a0a0a0; border-bottom: none; background: #ececec; }"
        "QTabBar::tab:selected { background: white; }"));
    pages->setUsesScrollButtons(false);
    createPersonPage();
    pages->addTab(personPage, description(PersonPage).caption);
    createDetailPages();
    auto* notesPage = new QWidget(pages);
    auto* notesLayout = new QVBoxLayout(notesPage);
    notesEdit = new QPlainTextEdit(notesPage);
    notesEdit->setObjectName(QStringLiteral("notesPlainTextEdit"));
    notesEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    notesLayout->addWidget(notesEdit);
    m_personLinks->bind(notesEdit, QStringLiteral("comments"));
    pages->addTab(notesPage, description(NotesPage).caption);
}

ChoiceBox* Tworkerform::addChoiceBox(const QString& field)
{
    auto* box = new ChoiceBox(personPage);
    const QString hint = field + QStringLiteral(".txt");
    box->combo()->setToolTip(hint);
    box->ellipsis()->setToolTip(hint);
    connect(box->ellipsis(), &QToolButton::clicked, this, guarded([this, field] { openListEditor(field); }));
    return box;
}

void Tworkerform::createPersonPage()
{
    personPage = new QWidget(this);
    QFont pageFont = personPage->font();
    pageFont.setPointSizeF(pageFont.pointSizeF() * 0.9);
    personPage->setFont(pageFont);
    auto* grid = new QGridLayout(personPage);
    grid->setContentsMargins(4, 6, 4, 6);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(5);

    // Three columns of label and box, filled top to bottom in tab order; the photo stands right.
    constexpr int pairsPerRow = 3;
    constexpr int rowsPerColumn = 10;
    // The boxes are made in tab order, which is the focus chain's order.
    int i = 0;
    for (const PersonField& f : kPersonFields) {
        const QString field = QString::fromLatin1(f.field);
        QWidget* box = nullptr;
        switch (f.kind) {
        case PersonField::Text:
            box = new QLineEdit(personPage);
            break;
        case PersonField::Date: {
            auto* date = new DateEdit(personPage);
            box = date;
            break;
        }
        case PersonField::Fixed: {
            auto* combo = new QComboBox(personPage);
            if (field == QLatin1String("sex")) {
                combo->addItems({QStringLiteral("男"), QStringLiteral("女")});
            } else {
                combo->addItems({QStringLiteral("未婚"), QStringLiteral("已婚"), QStringLiteral("离异"),
                                 QStringLiteral("再婚"), QString()});
            }
            box = combo;
            break;
        }
        case PersonField::Choice:
        case PersonField::Dept: {
            ChoiceBox* choice = addChoiceBox(field);
            if (f.kind == PersonField::Dept) {
                choice->combo()->beforeDropDown = [this, choice] {
                    pickDepartment(choice);
                    return true;
                };
            } else {
                DropDownCombo* combo = choice->combo();
                combo->beforeDropDown = [this, combo, field] {
                    reloadChoiceItems(combo, field);
                    return false;
                };
            }
            box = choice;
            break;
        }
        }
        box->setObjectName(field + QStringLiteral("Box"));
        m_personBoxes.insert(field.toLower(), box);
        bindPersonBox(box, field);

        const int row = i % rowsPerColumn;
        const int column = (i / rowsPerColumn) * 2;
        auto* label = new QLabel(QString::fromUtf16(f.label), personPage);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(box);
        grid->addWidget(label, row, column);
        // The address is the longest text: it also takes the room under the photo.
        grid->addWidget(box, row, column + 1, 1, field == QLatin1String("addr") ? 2 : 1);
        ++i;
    }
    // The first and last columns hold the long texts (identity card, telephones, schools).
    grid->setColumnStretch(1, 4);
    grid->setColumnStretch(3, 3);
    grid->setColumnStretch(5, 4);

    // The photo: one of two boxes shows, by where photos are kept.
    auto* photoColumn = new QVBoxLayout;
    filePhoto = new QLabel(personPage);
    filePhoto->setObjectName(QStringLiteral("filePhotoLabel"));
    filePhoto->setScaledContents(true);
    databasePhoto = new QLabel(personPage);
    databasePhoto->setObjectName(QStringLiteral("databasePhotoLabel"));
    databasePhoto->setAlignment(Qt::AlignCenter);
    for (QLabel* photo : {filePhoto, databasePhoto}) {
        photo->setFixedSize(106, 133);
        photo->setFrameShape(QFrame::StyledPanel);
        photo->setStyleSheet(QStringLiteral("background: white;"));
        photoColumn->addWidget(photo);
    }
    choosePhotoButton = new QPushButton(QStringLiteral("选择照片"), personPage);
    clearPhotoButton = new QPushButton(QStringLiteral("清除照片"), personPage);
    photoColumn->addWidget(choosePhotoButton);
    photoColumn->addWidget(clearPhotoButton);
    photoColumn->addStretch();
    grid->addLayout(photoColumn, 0, pairsPerRow * 2, rowsPerColumn - 2, 1, Qt::AlignTop);

    // The stamp of the departed view lies over the page, unscaled, and lets clicks through.
    stampLabel = new QLabel(personPage);
    stampLabel->setObjectName(QStringLiteral("stampLabel"));
    stampLabel->setPixmap(QPixmap(QStringLiteral(":/records/leftstamp.png")));
    stampLabel->setGeometry(184, 120, 161, 182);
    stampLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    stampLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    stampLabel->raise();
    stampLabel->hide();
}

void Tworkerform::bindPersonBox(QWidget* box, const QString& field)
{
    if (auto* edit = qobject_cast<QLineEdit*>(box)) {
        m_personLinks->bind(edit, field);
    } else if (auto* date = qobject_cast<DateEdit*>(box)) {
        m_personLinks->bind(date, field);
    } else if (auto* choice = qobject_cast<ChoiceBox*>(box)) {
        m_personLinks->bind(choice->combo(), field);
    } else if (auto* combo = qobject_cast<QComboBox*>(box)) {
        m_personLinks->bind(combo, field);
    }
}

QWidget* Tworkerform::personBox(const QString& field) const
{
    return m_personBoxes.value(field.toLower());
}

void Tworkerform::createDetailPages()
{
    for (int page = 1; page < NotesPage; ++page) {
        const PageDescription& facts = description(page);
        Query* query = m_dm.detailQuery(page);
        auto* grid = new DataGrid(query, gridColumns(facts.columns), pages);
        grid->setObjectName(QStringLiteral("detail%1TableView").arg(page));
        grid->setEditable(true);
        grid->setStripes(kOddRow);
        QPalette palette = grid->palette();
        palette.setColor(QPalette::Base, kGridBackground);
        grid->setPalette(palette);
        grid->horizontalHeader()->setSectionsClickable(facts.sortable);
        if (facts.fixedColumns) {
            grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
            grid->setTabKeyNavigation(false);
        }
        detailGrids[size_t(page)] = grid;
        pages->addTab(grid, facts.caption);
    }
}

void Tworkerform::createButtons()
{
    addButton = new QPushButton(description(PersonPage).addCaption, this);
    deleteButton = new QPushButton(QStringLiteral("删除"), this);
    statusButton = new QPushButton(QStringLiteral("离职"), this);
    redeployButton = new QPushButton(QStringLiteral("调动"), this);
    previewButton = new QPushButton(QStringLiteral("打印预览"), this);
    printButton = new QPushButton(QStringLiteral("打印"), this);
    exitButton = new QPushButton(QStringLiteral("退出(&X)"), this);
    for (QPushButton* b : {addButton, deleteButton, statusButton, redeployButton, previewButton, printButton,
                           exitButton, saveLink, cancelLink, showAllButton}) {
        b->setAutoDefault(false);
    }
}

void Tworkerform::createConnections()
{
    connect(fieldChooser, &QComboBox::activated, this, guarded(this, &Tworkerform::fieldChosen));
    connect(valueBox, &QComboBox::editTextChanged, this, guarded(this, &Tworkerform::valueChanged));
    connect(showAllButton, &QPushButton::clicked, this, guarded(this, &Tworkerform::showAllPersons));
    connect(personGrid, &DataGrid::titleClicked, this, guarded(this, &Tworkerform::personTitleClicked));
    for (int page = 1; page < NotesPage; ++page) {
        if (!description(page).sortable) {
            continue;
        }
        connect(detailGrids[size_t(page)], &DataGrid::titleClicked, this,
                guarded([this, page](int column) { detailTitleClicked(page, column); }));
    }
    connect(pages, &QTabWidget::currentChanged, this, guarded(this, &Tworkerform::pageChanged));
    connect(saveLink, &QPushButton::clicked, this, guarded(this, &Tworkerform::saveClick));
    connect(cancelLink, &QPushButton::clicked, this, guarded(this, &Tworkerform::cancelClick));
    connect(addButton, &QPushButton::clicked, this, guarded(this, &Tworkerform::addClick));
    connect(deleteButton, &QPushButton::clicked, this, guarded(this, &Tworkerform::deleteClick));
    connect(exitButton, &QPushButton::clicked, this, &QDialog::close);
    connect(statusButton, &QPushButton::clicked, this, guarded(this, &Tworkerform::changeStatus));
    connect(redeployButton, &QPushButton::clicked, this, guarded(this, &Tworkerform::redeploy));
    // On the person page the buttons open their menus; on a detail page they print its table.
    connect(previewButton, &QPushButton::clicked, this, guarded([this] {
                if (isDetailPage(activePage())) {
                    m_print->previewTable(activePage());
                }
            }));
    connect(printButton, &QPushButton::clicked, this, guarded([this] {
                if (isDetailPage(activePage())) {
                    m_print->printTable(activePage());
                }
            }));
    connect(choosePhotoButton, &QPushButton::clicked, m_photos, guarded(m_photos, &PersonPhotos::choosePhoto));
    connect(clearPhotoButton, &QPushButton::clicked, m_photos, guarded(m_photos, &PersonPhotos::clearPhoto));
    connect(m_photos->fileBox(), &PhotoBox::changed, this, guarded(this, &Tworkerform::showPhotos));
    connect(m_photos->databaseBox(), &PhotoBox::changed, this, guarded(this, &Tworkerform::showPhotos));
    connect(qobject_cast<DateEdit*>(personBox("birth")), &DateEdit::editingFinished, this,
            guarded(this, &Tworkerform::leaveBirth));
    connect(qobject_cast<DateEdit*>(personBox("date1")), &DateEdit::editingFinished, this,
            guarded(this, &Tworkerform::leaveDate1));
    connect(qobject_cast<DateEdit*>(personBox("date2")), &DateEdit::editingFinished, this,
            guarded(this, &Tworkerform::leaveDate2));
    qApp->installEventFilter(this);
}

// --- views and showing -------------------------------------------------------------------

void Tworkerform::setview(bool departed)
{
    m_dm.personquery->setFilter(departed ? QStringLiteral("status=2") : QStringLiteral("status=1"));
    m_dm.personquery->setFiltered(true);
    setWindowTitle(departed ? QStringLiteral("离职人员浏览") : QStringLiteral("在职人员浏览"));
    m_departedView = departed;
    statusButton->setText(statuschange::statusCaption(newStatusOfButton()));
    stampLabel->setVisible(departed);
    addButton->setVisible(!departed);
    redeployButton->setVisible(!departed);
}

void Tworkerform::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);

    const QSignalBlocker blockChooser(fieldChooser);
    const QSignalBlocker blockValue(valueBox);
    fieldChooser->clear();
    fieldChooser->addItems(ini::sectionKeys(paths::sysinifile(), QStringLiteral("FilterItemList")));
    fieldChooser->setCurrentIndex(-1);
    valueBox->setEnabled(false);

    // The photo component learns its mode before the query opens, so that the opening's move
    // shows the current person's photo as every later move does.
    m_photos->setPhotoOnDisk(m_photoOnDisk);
    // The detail queries open selected to the current person: opened over their whole tables they
    // would sort every detail row of the archive for pages nobody looks at yet.
    runGuarded([this] {
        m_dm.personquery->open();
        for (int page = 1; page < NotesPage; ++page) {
            if (!m_dm.detailQuery(page)->active()) {
                m_dm.selectdetail(page);
            }
        }
    });
    personGrid->setFocus();
    applyRights();
    filePhoto->setVisible(m_photoOnDisk);
    databasePhoto->setVisible(!m_photoOnDisk);
    showPhotos();
}

void Tworkerform::showPhotos()
{
    filePhoto->setPixmap(QPixmap::fromImage(m_photos->fileBox()->image()));
    databasePhoto->setPixmap(QPixmap::fromImage(m_photos->databaseBox()->image()));
}

void Tworkerform::changeStatus()
{
    statuschange::changeStatus(m_dm, newStatusOfButton());
}

statuschange::Status Tworkerform::newStatusOfButton() const
{
    return m_departedView ? statuschange::Status::OnTheJob : statuschange::Status::Departed;
}

void Tworkerform::redeploy()
{
    redeployCurrentPerson(m_context);
}

void Tworkerform::hideEvent(QHideEvent* event)
{
    for (int page = 1; page < NotesPage; ++page) {
        m_dm.detailQuery(page)->close();
    }
    QDialog::hideEvent(event);
}

void Tworkerform::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (!m_dm.personquery->active()) {
            runGuarded([this] { m_dm.personquery->open(); });
        }
        // A re-login while the window stayed open may have changed the right.
        applyRights();
    }
    QDialog::changeEvent(event);
}

void Tworkerform::applyRights()
{
    const bool admin = !m_context.isGuest();
    statusButton->setEnabled(admin);
    redeployButton->setEnabled(admin);
    personPage->setEnabled(admin);
    // A guest's Ctrl+Delete does nothing, as the disabled delete button.
    for (int page = 1; page < NotesPage; ++page) {
        detailGrids[size_t(page)]->setDeleteConfirmed(admin && !description(page).fixedColumns);
    }
    updatePageButtons();
}

void Tworkerform::updatePageButtons()
{
    const bool notes = activePage() == NotesPage;
    const bool admin = !m_context.isGuest();
    addButton->setEnabled(!notes && admin);
    deleteButton->setEnabled(!notes && admin);
    const bool prints = description(activePage()).prints;
    previewButton->setEnabled(prints);
    printButton->setEnabled(prints);
    const bool person = activePage() == PersonPage;
    previewButton->setMenu(person ? m_print->previewMenu() : nullptr);
    printButton->setMenu(person ? m_print->printMenu() : nullptr);
}

// --- filtering and sorting -------------------------------------------------------------

QString Tworkerform::filterFieldOfChoice() const
{
    if (fieldChooser->currentIndex() < 0) {
        return QString();
    }
    return ini::readString(paths::sysinifile(), QStringLiteral("FilterItemList"), fieldChooser->currentText(),
                           QString());
}

void Tworkerform::fieldChosen(int index)
{
    fieldChooser->setCurrentIndex(index);
    clearValueBox();
    valueBox->setEnabled(true);
    const QString field = filterFieldOfChoice();
    if (field.isEmpty()) {
        return;
    }
    QStringList items;
    if (field == QLatin1String("dept")) {
        items = m_context.deptPicker().firstLevelNames();
    } else if (const QString list = codelistfile(field); codelist::exists(list)) {
        items = codelist::read(list);
    }
    const QSignalBlocker block(valueBox);
    valueBox->addItems(items);
    valueBox->setCurrentIndex(-1);
    valueBox->clearEditText();
}

void Tworkerform::valueChanged(const QString& text)
{
    const QString field = filterFieldOfChoice();
    if (field.isEmpty()) {
        return;
    }
    QString where;
    try {
        where = filterWhere(field, text);
    } catch (const RosterError& e) {
        // Said once while the text stays invalid (the user is most likely still typing the
        // list); the macro and the list stay as they were.
        if (!m_patternRejected) {
            m_patternRejected = true;
            ShowError(e.message());
        }
        return;
    }
    m_patternRejected = false;
    Query* query = m_dm.personquery;
    // A stored default ("0") or a cleared macro expands to nothing, as an empty text does.
    QString before = query->macro(QStringLiteral("where"));
    if (!before.trimmed().startsWith(QLatin1String("where"), Qt::CaseInsensitive)) {
        before.clear();
    }
    query->close();
    try {
        applyWhere(where);
        query->open();
    } catch (...) {
        // A text the database still refuses must not leave the list closed over it.
        applyWhere(before);
        query->open();
        throw;
    }
}

void Tworkerform::applyWhere(const QString& where)
{
    if (where.isEmpty()) {
        m_dm.personquery->clearMacro(QStringLiteral("where"));
    } else {
        m_dm.personquery->setMacro(QStringLiteral("where"), where);
    }
}

void Tworkerform::clearValueBox()
{
    // Emptying the box is no filter change: its signals stay quiet.
    const QSignalBlocker block(valueBox);
    valueBox->clear();
    valueBox->clearEditText();
}

void Tworkerform::showAllPersons()
{
    clearValueBox();
    m_dm.personquery->clearMacro(QStringLiteral("where"));
    m_dm.personquery->refresh();
    // A refresh may land on another person without a move; the details and the photo follow.
    m_dm.personqueryAfterScroll(*m_dm.personquery);
}

void Tworkerform::personTitleClicked(int column)
{
    applySort(m_personSort, personGrid, m_dm.personquery, column);
}

void Tworkerform::detailTitleClicked(int page, int column)
{
    if (isDetailPage(page) && description(page).sortable) {
        applySort(m_sortCycles[size_t(page)], detailGrids[size_t(page)], m_dm.detailQuery(page), column);
    }
}

void Tworkerform::applySort(SortCycle& cycle, DataGrid* grid, Query* query, int column)
{
    const QString order = cycle.click(column, grid->fieldName(column));
    grid->setSortMark(column, cycle.mark() == SortCycle::Mark::Descending ? Qt::DescendingOrder : Qt::AscendingOrder,
                      cycle.mark() != SortCycle::Mark::None);
    if (order.isEmpty()) {
        return; // the mark is gone; the list keeps the order it has
    }
    query->close();
    query->clearMacro(QStringLiteral("order"));
    query->setMacro(QStringLiteral("order"), order);
    query->open();
}

// --- pages -------------------------------------------------------------------------------

int Tworkerform::activePage() const
{
    return pages ? pages->currentIndex() : PersonPage;
}

void Tworkerform::setActivePage(int page)
{
    pages->setCurrentIndex(page);
}

Query* Tworkerform::pageQuery(int page) const
{
    return isDetailPage(page) ? m_dm.detailQuery(page) : m_dm.personquery;
}

void Tworkerform::pageChanged(int page)
{
    // A row typed into on the page being left is stored, or it would stay pending unseen until the
    // next reselect dropped it; as every detail store, a failure is swallowed.
    if (m_shownPage != page) {
        m_dm.storeDetailEdits(m_shownPage);
    }
    m_shownPage = page;

    engine::Query* person = m_dm.personquery;
    if (person->active() && person->modified() && isEditing(*person)) {
        ignoreErrors(kIgnored, [person] { person->post(); });
        ignoreErrors(kIgnored, [this] { m_dm.selectdetail(); });
    }
    if (person->active()) {
        m_dm.selectdetail();
    }
    if (page != NotesPage) {
        addButton->setText(description(page).addCaption);
    }
    updatePageButtons();
}

// --- record actions ----------------------------------------------------------------------

void Tworkerform::addClick()
{
    const int page = activePage();
    if (page == PersonPage) {
        Query* person = m_dm.personquery;
        person->append();
        person->field(QStringLiteral("status")).setAsInteger(1);
        personBox(QStringLiteral("id"))->setFocus();
        return;
    }
    if (!isDetailPage(page)) {
        return;
    }
    const QString key = currentId->text();
    if (key.isEmpty()) {
        return;
    }
    Query* query = m_dm.detailQuery(page);
    runGuarded([&] {
        query->insert();
        query->field(description(page).tieField).setAsString(key);
        for (const auto& [field, value] : newRowDefaults(page, QDate::currentDate())) {
            query->field(field).setAsString(value);
        }
        query->post();
        query->edit();
    });
    detailGrids[size_t(page)]->setFocus();
}

void Tworkerform::saveClick()
{
    const int page = activePage();
    Query* query = pageQuery(page);
    if (page == PersonPage) {
        // A record refused by the data module stays in editing; a photo file that could not be
        // written follows a stored record, and is no success either.
        if (isEditing(*query) && !runGuarded([query] { query->post(); })) {
            return;
        }
        if (!isEditing(*query)) {
            StdInfo(description(page).savedMessage);
        }
        return;
    }
    if (isEditing(*query) && runGuarded([query] { query->post(); })) {
        StdInfo(description(page).savedMessage);
    }
}

void Tworkerform::cancelClick()
{
    Query* query = pageQuery(activePage());
    ignoreErrors(kIgnored, [query] { query->cancel(); });
}

void Tworkerform::deleteClick()
{
    const int page = activePage();
    if (page == NotesPage || !AskYesNo(description(page).deleteQuestion)) {
        return;
    }
    Query* query = pageQuery(page);
    runGuarded([query] { query->remove(); });
    if (isDetailPage(page)) {
        detailGrids[size_t(page)]->setFocus();
    }
}

// --- derived years -------------------------------------------------------------------------

void Tworkerform::recomputeYears(const QString& dateField, const QString& targetField, bool pastOnly)
{
    // An empty or unreadable date leaves the target as it is.
    ignoreErrors(kIgnored, [&] {
        Query* person = m_dm.personquery;
        const QDateTime from = person->field(dateField).asDateTime();
        if (!from.isValid()) {
            return;
        }
        const QDateTime now = m_dm.clock ? m_dm.clock() : agerule::systemNow();
        const int years = (!pastOnly || now > from) ? agerule::yearsBetween(from, now) : 0;
        if (person->state() == DatasetState::Browse) {
            person->edit();
        }
        person->field(targetField).setAsString(QString::number(years));
    });
}

void Tworkerform::leaveBirth()
{
    recomputeYears(QStringLiteral("birth"), QStringLiteral("age"), false);
}

void Tworkerform::leaveDate1()
{
    recomputeYears(QStringLiteral("date1"), QStringLiteral("workage"), true);
}

void Tworkerform::leaveDate2()
{
    recomputeYears(QStringLiteral("date2"), QStringLiteral("hereworkage"), true);
}

// --- choice boxes and the department -------------------------------------------------------

void Tworkerform::reloadChoiceItems(QComboBox* combo, const QString& field)
{
    const QString list = codelistfile(field);
    if (!codelist::exists(list)) {
        return;
    }
    const QString text = combo->currentText();
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(codelist::read(list));
    combo->setEditText(text);
}

void Tworkerform::openListEditor(const QString& field)
{
    openBaseData(m_context, listKeyOfEllipsis(field));
}

void Tworkerform::pickDepartment(QWidget* below)
{
    const std::optional<depttree::DeptNames> names = m_context.deptPicker().pickdept(below);
    if (!names) {
        return;
    }
    ignoreErrors(kIgnored, [&] {
        Query* person = m_dm.personquery;
        if (!isEditing(*person)) {
            person->edit();
        }
        person->field(QStringLiteral("dept")).setAsString(names->dept);
        person->field(QStringLiteral("dept_1")).setAsString(names->dept1);
        person->field(QStringLiteral("dept_2")).setAsString(names->dept2);
    });
    m_personLinks->reload();
}

// --- keys ----------------------------------------------------------------------------------

bool Tworkerform::eventFilter(QObject* watched, QEvent* event)
{
    // Only the first delivery counts: an unhandled key travels on to the parents of its receiver.
    if (event->type() != QEvent::KeyPress || !isVisible() || watched != QApplication::focusWidget()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) {
        return false;
    }
    // Enter in a grid moves to the next column, wrapping, after the grid has handled it. A cell's
    // editor commits its text in a queued call of its own; the move waits one more turn so that it
    // comes after that commit.
    for (QWidget* w = widget; w && w != this; w = w->parentWidget()) {
        if (auto* grid = qobject_cast<DataGrid*>(w)) {
            QTimer::singleShot(0, grid, [grid] {
                QTimer::singleShot(0, grid, [grid] {
                    const QModelIndex current = grid->currentIndex();
                    const int columns = grid->model()->columnCount();
                    if (current.isValid() && columns > 0) {
                        grid->setCurrentIndex(grid->model()->index(current.row(), (current.column() + 1) % columns));
                    }
                });
            });
            return false;
        }
    }
    // Elsewhere Enter moves to the next control in tab order.
    focusNextChild();
    return true;
}
