#include "worker/server/ErgastoServer.h"

#include "ipc/BusNames.h"
#include "worker/CalcWorker.h"
#include "worker/server/BoundedWorkerProcess.h"
#include "worker/server/ServerLifetime.h"
#include "worker/server/WorkerBusObject.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include <cstdio>
#include <cstdlib>

namespace ergasto {

namespace {

[[noreturn]] void endProcess(int code)
{
    std::fflush(nullptr);
    std::_Exit(code);
}

}  // namespace

int RunServer(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "Ergasto: no session bus: %s\n", qPrintable(bus.lastError().message()));
        endProcess(-1);
    }

    const QString serviceName = QLatin1String(ipc::kWorkerServiceName);
    CServerLifetime lifetime(bus, serviceName);
    const auto process =
        std::make_shared<CBoundedWorkerProcess>(std::make_shared<CWorkerProcess>(), CRequestSlots::Limits{});
    CWorkerBusObject objects(
        bus, [process](const ClientId& client) { return std::make_shared<CCalcWorker>(process->ForClient(client)); },
        CWorkerBusObject::Options{});
    QObject::connect(&objects, &CWorkerBusObject::objectCountChanged, &lifetime,
                     &CServerLifetime::objectCountChanged);
    QObject::connect(&objects, &CWorkerBusObject::connectionLeft, &objects,
                     [process](const QString& connection) { process->DropWaiting(connection.toStdString()); });
    QObject::connect(&lifetime, &CServerLifetime::quitRequested, &app, [&app](int code) { app.exit(code); });

    // The objects are in place before the name is taken, so that the call that
    // activated this process finds them.
    if (!objects.registerTree()) {
        std::fprintf(stderr, "Ergasto: cannot register the class object\n");
        endProcess(-1);
    }
    const auto claim = bus.interface()->registerService(serviceName, QDBusConnectionInterface::DontQueueService,
                                                        QDBusConnectionInterface::DontAllowReplacement);
    if (!claim.isValid() || claim.value() != QDBusConnectionInterface::ServiceRegistered) {
        std::fprintf(stderr, "Ergasto: the name %s is taken\n", ipc::kWorkerServiceName);
        endProcess(-1);
    }
    lifetime.start();
    const int code = app.exec();

    // The name went before the closing pause; the objects go last.
    objects.unregisterTree();
    endProcess(code);
}

}  // namespace ergasto
