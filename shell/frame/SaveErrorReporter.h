#pragma once
// Tells the user that a settings file could not be saved on the way out: in
// an error box, unless the program is closing for a termination request
// (logout, shutdown), when nobody may be there to dismiss a box. Then the
// text goes to stderr, and a box that is shown when the request comes is
// closed and its text goes to stderr too.

#include <QObject>
#include <QPointer>

#include <string>

class QMessageBox;

class CSaveErrorReporter : public QObject {
    Q_OBJECT
public:
    explicit CSaveErrorReporter(QObject* parent = nullptr);
    ~CSaveErrorReporter() override;

    // Returns once the box was dismissed or closed by a termination request.
    void Report(const std::string& text);
    bool IsTerminating() const { return m_terminating; }

public slots:
    void OnTerminationRequest();

private:
    bool m_terminating = false;
    QPointer<QMessageBox> m_box;
};
