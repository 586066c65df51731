#include "app/windowcontext.h"

#include "app/tdmstore.h"
#include "data/dmunit.h"
#include "exchange/texportform.h"
#include "exchange/tfrmstat.h"
#include "platform/errorboundary.h"
#include "platform/interaction.h"
#include "records/deptdropform.h"
#include "records/depttree.h"
#include "records/setdlgform.h"
#include "records/tfrmredeploy.h"
#include "records/tworkerform.h"
#include "report/printing.h"

#include <QDialog>

namespace {

/// Creates the window on first use, a child of the context's owner.
template <typename Window> Window& reused(QPointer<Window>& slot, WindowContext& context)
{
    if (!slot) {
        slot = new Window(context);
    }
    return *slot;
}

} // namespace

WindowContext::WindowContext(Tdm& dm, interaction::Interaction& ui, ShellStore* store)
    : m_dm(dm), m_ui(ui), m_ownStore(store ? nullptr : std::make_unique<TdmStore>(dm)),
      m_store(store ? store : m_ownStore.get()), m_runModal([](QDialog& dialog) { return dialog.exec(); }),
      m_printing(&report::toolkitPrinting())
{
    interaction::install(&ui);
}

void WindowContext::setPrinting(report::Printing* printing)
{
    m_printing = printing != nullptr ? printing : &report::toolkitPrinting();
}

WindowContext::~WindowContext()
{
    // The reused windows refer to the context: they go first, whoever owns them.
    delete m_statWindow.data();
    delete m_exportForm.data();
    delete m_redeployDialog.data();
    delete m_workerForm.data();
    delete m_codeListEditor.data();
    delete m_deptPicker.data();
}

bool WindowContext::isGuest() const
{
    return m_dm.isGuest();
}

int WindowContext::runModal(QDialog& dialog) const
{
    return m_runModal(dialog);
}

void WindowContext::setModalRunner(std::function<int(QDialog&)> runner)
{
    m_runModal = std::move(runner);
}

Tworkerform& WindowContext::workerForm()
{
    return reused(m_workerForm, *this);
}

Tdeptdropform& WindowContext::deptPicker()
{
    if (!m_deptPicker) {
        reused(m_deptPicker, *this);
        runGuarded([this] {
            try {
                m_deptPicker->loadFile(depttree::deptfile());
            } catch (const depttree::LevelError& e) {
                ShowError(depttree::readErrorText(e)); // with the line to mend
            }
        });
    }
    return *m_deptPicker;
}

TSetDlgForm& WindowContext::codeListEditor()
{
    return reused(m_codeListEditor, *this);
}

Texportform& WindowContext::exportForm()
{
    return reused(m_exportForm, *this);
}

TfrmRedeploy& WindowContext::redeployDialog()
{
    return reused(m_redeployDialog, *this);
}

TfrmStat& WindowContext::statWindow()
{
    return reused(m_statWindow, *this);
}

void WindowContext::createStartupWindows()
{
    workerForm();
    deptPicker();
    codeListEditor();
    redeployDialog();
}
