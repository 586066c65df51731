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
class WindowContext;

/// The redeployment dialog "人员调动": where the current person goes (three department levels,
/// duty, reason). Created once at start-up and reused; its boxes keep what was typed last time.
/// Neither button is the default or the cancel button: Enter and Esc do not close it.
class TfrmRedeploy : public QDialog
{
    Q_OBJECT

public:
    static constexpr int DesignWidth = 504;
    static constexpr int DesignHeight = 176;

    /// A child of the context's owner.
    explicit TfrmRedeploy(WindowContext& context);

    /// Shows the dialog through the context's modal runner; true when it was closed with "确定".
    bool ask();
    /// What the boxes hold.
    redeployment::Target values() const;

    /// The picker the "..." button opens; without one, the context's.
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
    WindowContext& m_context;
    QPointer<Tdeptdropform> m_picker;
};

/// The redeployment button: shows the context's dialog modally and, on "确定", moves the current
/// person (redeployment::redeploy). True when the move was stored.
bool redeployCurrentPerson(WindowContext& context);
