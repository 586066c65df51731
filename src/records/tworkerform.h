#pragma once

#include "records/statuschange.h"
#include "records/workerpages.h"

#include <QDialog>
#include <array>

class ChoiceBox;
class DataGrid;
class DateEdit;
class FieldLinks;
class PersonPhotos;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class Tdm;
class WindowContext;

namespace engine {
class Query;
}

/// The personnel browser: the person list of the on-the-job or departed view, the person page,
/// the seven detail pages and the notes, all bound to the data module's shared queries. Created
/// once at start-up; closing hides it.
class Tworkerform : public QDialog
{
    Q_OBJECT

public:
    explicit Tworkerform(WindowContext& context);
    ~Tworkerform() override;

    /// The departed view (status 2) or the on-the-job view (status 1).
    void setview(bool departed);

    /// Whether photos are files (photo/<ID>.jpg) or the `picture` field; set by the main window.
    void setPhotoOnDisk(bool onDisk) { m_photoOnDisk = onDisk; }

    int activePage() const;
    void setActivePage(int page);

    // The user's actions, as the buttons and boxes fire them.
    void fieldChosen(int index);
    void valueChanged(const QString& text);
    void showAllPersons();
    void personTitleClicked(int column);
    void detailTitleClicked(int page, int column);
    void addClick();
    void saveClick();
    void cancelClick();
    void deleteClick();
    void leaveBirth();
    void leaveDate1();
    void leaveDate2();

    // Controls, for the actions of the other windows and for tests.
    QComboBox* fieldChooser = nullptr;
    QComboBox* valueBox = nullptr;
    QLineEdit* currentName = nullptr;
    QLineEdit* currentId = nullptr;
    QPushButton* showAllButton = nullptr;
    DataGrid* personGrid = nullptr;
    QTabWidget* pages = nullptr;
    QWidget* personPage = nullptr;
    std::array<DataGrid*, workerpages::PageCount> detailGrids{};
    QPlainTextEdit* notesEdit = nullptr;
    QPushButton* saveLink = nullptr;
    QPushButton* cancelLink = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QPushButton* statusButton = nullptr;
    QPushButton* redeployButton = nullptr;
    QPushButton* previewButton = nullptr;
    QPushButton* printButton = nullptr;
    QPushButton* exitButton = nullptr;
    QLabel* stampLabel = nullptr;
    QLabel* filePhoto = nullptr;
    QLabel* databasePhoto = nullptr;
    QPushButton* choosePhotoButton = nullptr;
    QPushButton* clearPhotoButton = nullptr;

    /// The person page's box of a field ("id", "name", "birth", ...).
    QWidget* personBox(const QString& field) const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createTopStrip();
    void createPersonList();
    void createPages();
    void createPersonPage();
    void createDetailPages();
    void createButtons();
    void createConnections();
    void showPhotos();
    void changeStatus();
    /// What the status button moves the current person to in the view shown.
    statuschange::Status newStatusOfButton() const;
    void redeploy();

    ChoiceBox* addChoiceBox(const QString& field);
    void bindPersonBox(QWidget* box, const QString& field);
    void pageChanged(int page);
    void applySort(workerpages::SortCycle& cycle, DataGrid* grid, engine::Query* query, int column);
    void clearValueBox();
    void applyRights();
    void updatePageButtons();
    engine::Query* pageQuery(int page) const;
    void recomputeYears(const QString& dateField, const QString& targetField, bool pastOnly);
    void pickDepartment(QWidget* below);
    void openListEditor(const QString& field);
    void reloadChoiceItems(QComboBox* combo, const QString& field);
    QString filterFieldOfChoice() const;

    WindowContext& m_context;
    Tdm& m_dm;
    bool m_photoOnDisk = false;
    bool m_departedView = false;
    FieldLinks* m_personLinks = nullptr;
    FieldLinks* m_currentLinks = nullptr;
    PersonPhotos* m_photos = nullptr;
    QHash<QString, QWidget*> m_personBoxes;
    std::array<workerpages::SortCycle, workerpages::PageCount> m_sortCycles{};
    workerpages::SortCycle m_personSort;
    int m_shownPage = workerpages::PersonPage;
};
