#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QDialog;
class ShellStore;
class Tdeptdropform;
class Tdm;
class Texportform;
class TfrmRedeploy;
class TfrmStat;
class TSetDlgForm;
class Tworkerform;

namespace interaction {
class Interaction;
}
namespace report {
class Printing;
}

/// What every window of a run shares, created once in main and handed to each window's
/// constructor: the data module (with the session's `loginuser` and `loginright`), the message
/// seam, the modal runner, the owner of the reused windows and those windows themselves.
/// Tests build it from a scripted seam and a temporary installation and replace the modal runner,
/// so no test waits on a dialog.
class WindowContext
{
public:
    /// Installs `ui` as the seam the message functions use. Without `store`, the main window's
    /// view of the data module is the data module itself.
    WindowContext(Tdm& dm, interaction::Interaction& ui, ShellStore* store = nullptr);
    ~WindowContext();
    WindowContext(const WindowContext&) = delete;
    WindowContext& operator=(const WindowContext&) = delete;

    Tdm& dm() const { return m_dm; }
    /// The main window's view of the data module (connection, password table, ages).
    ShellStore& store() const { return *m_store; }
    interaction::Interaction& ui() const { return m_ui; }

    /// Where the windows send their reports: the toolkit's preview and printer unless a test set
    /// its own (nullptr puts the toolkit's back).
    report::Printing& printing() const { return *m_printing; }
    void setPrinting(report::Printing* printing);

    /// Whether the logged-in user has the guest right.
    bool isGuest() const;

    /// Runs a modal window and returns its result; `QDialog::exec` unless a test replaced it.
    int runModal(QDialog& dialog) const;
    void setModalRunner(std::function<int(QDialog&)> runner);

    /// The parent of the reused windows (the main window); null in tests without one.
    QWidget* owner() const { return m_owner; }
    void setOwner(QWidget* owner) { m_owner = owner; }

    /// The reused windows, each created on first use as a child of the owner and kept for the run.
    Tworkerform& workerForm();
    /// Reads the department file when it is made; a read error is shown and the picker keeps
    /// what was read.
    Tdeptdropform& deptPicker();
    TSetDlgForm& codeListEditor();
    TfrmRedeploy& redeployDialog();
    TfrmStat& statWindow();
    /// The export wizard; open it with Texportform::openWith and the record source.
    Texportform& exportForm();

    /// Creates the reused windows that start-up makes, in its order.
    void createStartupWindows();

private:
    Tdm& m_dm;
    interaction::Interaction& m_ui;
    std::unique_ptr<ShellStore> m_ownStore;
    ShellStore* m_store;
    std::function<int(QDialog&)> m_runModal;
    report::Printing* m_printing;
    QPointer<QWidget> m_owner;
    QPointer<Tworkerform> m_workerForm;
    QPointer<Tdeptdropform> m_deptPicker;
    QPointer<TSetDlgForm> m_codeListEditor;
    QPointer<TfrmRedeploy> m_redeployDialog;
    QPointer<TfrmStat> m_statWindow;
    QPointer<Texportform> m_exportForm;
};
