#pragma once
// Names under which the worker program and its callers meet on the session bus.
// Other programs rely on them; they never change.

namespace ipc {

// Well-known name of the worker program: the version-independent ProgID.
inline constexpr char kWorkerProgId[] = "Ergasto.CalcWorker";
inline constexpr char kWorkerVersionedProgId[] = "Ergasto.CalcWorker.1";
inline constexpr char kWorkerServiceName[] = "Ergasto.CalcWorker";
inline constexpr char kWorkerServiceFileName[] = "Ergasto.CalcWorker.service";

// The class object sits at the root; each created object below kObjectPathPrefix.
inline constexpr char kClassFactoryPath[] = "/";
inline constexpr char kObjectPathPrefix[] = "/CCalcWorker/";
inline constexpr char kCallbackPathPrefix[] = "/CalcCompleteCallback/";
// A callback path of "/" stands for "no callback".
inline constexpr char kNoCallbackPath[] = "/";

inline constexpr char kClassFactoryInterface[] = "Ergasto.IClassFactory";
inline constexpr char kCalcWorkerInterface[] = "Ergasto.ICalcWorker";
inline constexpr char kUnknownInterface[] = "Ergasto.IUnknown";
inline constexpr char kCallbackInterface[] = "Ergasto.ICalcCompleteCallback";

inline constexpr char kIntrospectableInterface[] = "org.freedesktop.DBus.Introspectable";
inline constexpr char kPeerInterface[] = "org.freedesktop.DBus.Peer";

// Registry identifiers of the worker class.
inline constexpr char kClsid[] = "{35AC7195-FFFE-4e7c-9B0F-3F41CF943256}";
inline constexpr char kLibid[] = "{A9347362-E94C-412E-BDB5-89E11A3A63D0}";
inline constexpr char kAppId[] = "{A9347362-E94C-412E-BDB5-89E11A3A63D0}";
inline constexpr char kCalcWorkerIid[] = "{B2AEC175-14D6-4EBC-9D6A-A06A17731EDA}";
inline constexpr char kCallbackIid[] = "{8EB87E05-ED38-4CC0-9D36-B2DAB5833458}";

}  // namespace ipc
