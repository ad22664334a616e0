#include "shell/frame/SaveErrorReporter.h"

#include <QMessageBox>

#include <cstdio>

CSaveErrorReporter::CSaveErrorReporter(QObject* parent) : QObject(parent) {}

CSaveErrorReporter::~CSaveErrorReporter() = default;

void CSaveErrorReporter::Report(const std::string& text)
{
    if (!m_terminating) {
        QMessageBox box(QMessageBox::Critical, "Error", QString::fromStdString(text), QMessageBox::Ok);
        m_box = &box;
        box.exec();
        m_box = nullptr;
    }
    if (m_terminating)
        std::fprintf(stderr, "kelvo: %s\n", text.c_str());
}

void CSaveErrorReporter::OnTerminationRequest()
{
    m_terminating = true;
    if (m_box)
        m_box->reject();
}
