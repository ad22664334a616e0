#pragma once
// The open and save dialog of saved calculations: the standard file dialog,
// centred on the window given at construction once it is shown.

#include <QFileDialog>

class CCustomFileOpenDlg : public QFileDialog {
    Q_OBJECT
public:
    enum class Mode { Open, Save };

    // filter: e.g. "Quillix Calculations (*.qxv7)"; defaultSuffix without dot.
    CCustomFileOpenDlg(Mode mode, QWidget* centreOn, const QString& filter, const QString& defaultSuffix);

    QString SelectedFile() const;

protected:
    void showEvent(QShowEvent* event) override;
};
