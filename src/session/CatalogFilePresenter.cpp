#include "session/CatalogFilePresenter.h"

#include "app/Dialogs.h"
#include "session/CatalogCommands.h"
#include "session/StepNavigator.h"
#include "session/TemplateCommands.h"
#include "session/Workspace.h"

#include <exception>

namespace pictaven {

CatalogFilePresenter::CatalogFilePresenter(Workspace& workspace, StepNavigator& navigator)
    : m_workspace(workspace)
    , m_navigator(navigator)
{
}

CatalogFileView CatalogFilePresenter::view() const
{
    return {m_workspace.caption(), m_workspace.lastCatalogEntry(), !m_saving, !m_workspace.jobRunning()};
}

bool CatalogFilePresenter::refusedWhileJobRuns()
{
    if (!m_workspace.jobRunning())
        return false;
    m_workspace.dialogs().beep();
    return true;
}

bool CatalogFilePresenter::run(const std::function<bool()>& command)
{
    bool wentAhead = true;
    try {
        wentAhead = command();
    } catch (const std::exception& error) {
        m_workspace.dialogs().showError(error.what());
    }
    m_workspace.changes().notify();
    return wentAhead;
}

void CatalogFilePresenter::replace(const std::function<bool()>& command)
{
    if (refusedWhileJobRuns())
        return;
    if (run(command))
        m_navigator.showFirstStepAfterCatalogChange();
}

// The catalog commands ask about a named catalog on Close and on exit, and about any catalog on
// New; Open asks nothing. The rest is asked here, so that no change is dropped unasked and none
// is asked about twice. Returns whether the command may go on: not after Cancel, nor when the
// save asked for was cancelled. A save that fails throws.
bool CatalogFilePresenter::offerToSave(bool namedToo)
{
    const Catalog& catalog = m_workspace.catalog();
    if (!catalog.modified || (!namedToo && !catalog.name.empty()))
        return true;
    return offerToSaveChanges(m_workspace, catalog.name.empty() ? "Unnamed Catalog" : catalog.name);
}

void CatalogFilePresenter::newCatalog(const NameAsker& askName)
{
    replace([&] { return pictaven::newCatalog(m_workspace, askName); });
}

void CatalogFilePresenter::open()
{
    replace([this] { return offerToSave(true) && chooseAndOpenCatalog(m_workspace); });
}

void CatalogFilePresenter::openLast()
{
    replace([this] {
        if (!offerToSave(true))
            return false;
        openLastCatalog(m_workspace);
        return true;
    });
}

void CatalogFilePresenter::close()
{
    replace([this] {
        return offerToSave(false) && closeCatalog(m_workspace);
    });
}

void CatalogFilePresenter::save()
{
    if (refusedWhileJobRuns())
        return;
    m_saving = true;
    m_changed.notify();
    run([this] { return saveCatalog(m_workspace); });
    m_saving = false;
    m_changed.notify();
}

void CatalogFilePresenter::saveAs()
{
    if (refusedWhileJobRuns())
        return;
    run([this] { return saveCatalogAs(m_workspace); });
}

void CatalogFilePresenter::saveTemplatePreferences()
{
    if (refusedWhileJobRuns())
        return;
    run([this] { return saveTemplate(m_workspace); });
}

bool CatalogFilePresenter::exit()
{
    if (refusedWhileJobRuns())
        return false;
    try {
        if (!offerToSave(false))
            return false;
    } catch (const std::exception& error) {
        m_workspace.dialogs().showError(error.what());
        return false;
    }
    return m_workspace.close();
}

} // namespace pictaven
