#include "panes/CustomFileOpenDlg.h"

#include "panes/DialogParts.h"

CCustomFileOpenDlg::CCustomFileOpenDlg(Mode mode, QWidget* centreOn, const QString& filter,
                                       const QString& defaultSuffix)
    : QFileDialog(centreOn)
{
    setAcceptMode(mode == Mode::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    setFileMode(mode == Mode::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    setNameFilter(filter);
    setDefaultSuffix(defaultSuffix);
    // Qt's own dialog, so that it is placed and tested alike everywhere.
    setOption(QFileDialog::DontUseNativeDialog, true);
}

QString CCustomFileOpenDlg::SelectedFile() const
{
    const QStringList files = selectedFiles();
    return result() == QDialog::Accepted && !files.isEmpty() ? files.front() : QString();
}

void CCustomFileOpenDlg::showEvent(QShowEvent* event)
{
    QFileDialog::showEvent(event);
    CentreOnOwner(this);
}
