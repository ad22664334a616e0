#include "platform/qt/BeepService.h"

#include <atomic>

#include <QApplication>

namespace {

std::atomic<IBeepService*> g_service{nullptr};

}  // namespace

void MessageBeep()
{
    if (IBeepService* service = g_service.load())
        service->Beep();
    else if (qApp)
        QApplication::beep();
}

IBeepService* SetBeepService(IBeepService* service)
{
    return g_service.exchange(service);
}

CBeepCounter::CBeepCounter() : m_previous(SetBeepService(this)) {}

CBeepCounter::~CBeepCounter() { SetBeepService(m_previous); }
