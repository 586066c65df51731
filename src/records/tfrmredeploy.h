#pragma once

#include "records/redeployment.h"

#include <QDialog>
#include <QPointer>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Tdeptdropform;

/// The redeployment dialog "人员调动": where the current person goes (three department levels,
/// duty, reason). Created once at start-up and reused; its boxes keep what was typed last time.
/// Neither button is the default or the cancel button: Enter and Esc do not close it.
class TfrmRedeploy : public QDialog
{
    Q_OBJECT

public:
    static constexpr int DesignWidth = 504;
    static constexpr int DesignHeight = 176;

    explicit TfrmRedeploy(QWidget* parent = nullptr);

    /// Shows the dialog modally; true when it was closed with "确定".
    bool ask();
    /// What the boxes hold.
    redeployment::Target values() const;

    /// The picker the "..." button opens; without one, the picker made at start-up.
    void setPicker(Tdeptdropform* picker);

    /// Replaces the duty box's items with the lines of data/duty.txt when the file exists; the
    /// typed text stays. Runs at every showing.
    void loadDuties();

    QGroupBox* GroupBox1 = nullptr; ///< "调动到："
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit1 = nullptr;          ///< first-level department
    QPushButton* SpeedButton1 = nullptr; ///< "..."
    QLineEdit* Edit2 = nullptr;          ///< second-level department
    QLineEdit* Edit3 = nullptr;          ///< third-level department
    QComboBox* ComboBox1 = nullptr;      ///< duty
    QLineEdit* Edit4 = nullptr;          ///< reason
    QPushButton* BitBtn1 = nullptr;      ///< "确定"
    QPushButton* BitBtn2 = nullptr;      ///< "取消"

    void SpeedButton1Click();
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointer<Tdeptdropform> m_picker;
};

/// Creates the dialog as a child of `owner` (start-up); the one dialog of the run.
void createRedeployDialog(QWidget* owner);
/// The dialog made by createRedeployDialog; null before it (or after its owner is gone).
TfrmRedeploy* redeployDialog();

class Tdm;
/// The redeployment button: shows the dialog modally and, on "确定", moves the current person
/// (redeployment::redeploy). True when the move was stored.
bool redeployCurrentPerson(Tdm& dm);
