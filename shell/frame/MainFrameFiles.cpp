#include "shell/frame/MainFrame.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "shell/frame/FrameController.h"
#include "shell/frame/IdleHook.h"
#include "shell/frame/PaneHost.h"
#include "shell/frame/SavedCalculation.h"

// The calculation files that come to the main window: File Open and Save, the
// file a second start hands over (it waits while a box is open or a step
// runs) and files dropped on the window.

namespace {

constexpr int kHandOverRetryMs = 200;

}  // namespace

// ------------------------------------------------------------------ open and save

void CMainFrame::OnFileOpen()
{
    if (m_controller->IsBusy()) {
        m_services->Beep();
        return;
    }
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(), "Quillix Files (*.qxv7)");
    if (!path.isEmpty())
        LoadCalculation(path.toStdString(), false);
}

void CMainFrame::OnFileSave()
{
    if (m_controller->IsBusy()) {
        m_services->Beep();
        return;
    }
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter("Quillix Files (*.qxv7)");
    dialog.setDefaultSuffix("qxv7");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    m_files->Save(dialog.selectedFiles().front().toStdString());
}

void CMainFrame::LoadCalculation(const std::string& path, bool askFirst)
{
    if (m_destroyed)
        return;
    if (m_files->Load(path, askFirst) == CCalculationFiles::LoadResult::Loaded)
        m_panes->RefreshRecord();
    m_idleHook->MarkDirty();
}

// ------------------------------------------------------------------ hand-over

void CMainFrame::BringToFront()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    if (!isVisible())
        show();
    raise();
    activateWindow();
    // An open box or dialog stays in front of the window and takes the input.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this) {
        modal->raise();
        modal->activateWindow();
    }
}

void CMainFrame::OnHandOver(const QString& path)
{
    if (m_destroyed)
        return;
    BringToFront();
    m_handOvers.Push(path.toStdString());
    RunHandOvers();
}

void CMainFrame::OnStepEnded()
{
    m_idleHook->MarkDirty();
    // A file handed over during the step loads now, from the loop, outside
    // the step's own handling.
    if (!m_handOvers.IsEmpty())
        QTimer::singleShot(0, this, &CMainFrame::RunHandOvers);
}

void CMainFrame::RunHandOvers()
{
    if (m_destroyed || m_inHandOver)
        return;  // a running hand-over takes the waiting one when its box has closed
    // A load is refused while a step runs or is cancelled: the file waits for
    // the step's end (OnStepEnded).
    if (m_controller->IsBusy())
        return;
    if (QApplication::activeModalWidget()) {
        // Somebody else's dialog: look again when it may have closed.
        if (!m_handOverRetry) {
            m_handOverRetry = new QTimer(this);
            m_handOverRetry->setSingleShot(true);
            m_handOverRetry->setInterval(kHandOverRetryMs);
            connect(m_handOverRetry, &QTimer::timeout, this, &CMainFrame::RunHandOvers);
        }
        m_handOverRetry->start();
        return;
    }
    m_inHandOver = true;
    while (auto next = m_handOvers.Take()) {
        if (m_destroyed)
            break;
        BringToFront();
        LoadCalculation(next->path, true);
    }
    m_inHandOver = false;
}

// ------------------------------------------------------------------ drops

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    OnDropFiles(paths);
}

void CMainFrame::OnDropFiles(const std::vector<std::string>& paths)
{
    if (paths.empty() || m_destroyed)
        return;
    if (!isActiveWindow())
        BringToFront();
    const auto decision = CCalculationFiles::DecideDrop(paths);
    if (!decision.load) {
        if (!decision.message.empty())
            m_controller->Display().SetMessage(decision.message);
        return;
    }
    m_controller->Display().ClearMessage();
    LoadCalculation(decision.path, true);
}
