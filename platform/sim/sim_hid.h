// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dbt.h"
#include "platform/hid.h"
#include "platform/sim/sim_mouse.h"
#include "platform/sim/virtual_clock.h"
#include "platform/sim/wire_log.h"

// Which firmware endpoint a collection leads to.
enum class SimCollectionRole { Command, Data, Other };

// One HID top-level collection as device-interface enumeration presents it.
struct SimHidInterface {
    std::u16string path;        // as enumeration gives it: \\?\hid#vid_04d9&pid_a09e&mi_01&col01#...
    std::u16string notifyName;  // as notifications write it: \\?\HID#VID_04D9&PID_A09E&MI_01&Col01#...
    USHORT vendorId = 0;
    USHORT productId = 0;
    USHORT versionNumber = 0x0100;
    USHORT usagePage = 0;
    USHORT usage = 0;
    USHORT featureReportByteLength = 0;
    SimCollectionRole role = SimCollectionRole::Other;
    // Opens of the path that succeed before every further one fails with
    // ERROR_ACCESS_DENIED; -1 for never (0: the path cannot be opened at all).
    int opensBeforeFailure = -1;
    bool noPreparsedData = false;       // HidD_GetPreparsedData fails
    bool invalidPreparsedData = false;  // HidP_GetCaps reports invalid preparsed data
};

// A collection with Windows-style names. `collection` is the interface and
// collection part, e.g. u"mi_01&col02" (lower case; notifications get it in
// Windows' own capitalisation, MI_01&Col02).
SimHidInterface MakeHidInterface(USHORT vendorId, USHORT productId, std::u16string_view collection,
                                 USHORT usagePage, USHORT usage, USHORT featureReportByteLength);

// The machine's HID devices as the platform's HID and notification calls see
// them, with the simulated mouse among them. Constructing one makes it the
// current machine (and installs its clock); destroying it puts the previous
// back. Without one, the backend makes a default machine with the mouse
// plugged in and pauses that really wait (the demo build).
//
// The mouse presents four collections, enumerated in this order:
//   mi_00        pointer      usage page 1, usage 2, no feature report
//   mi_01&col01  command      usage page 1, usage 6, 8-byte feature report
//   mi_01&col02  consumer     usage page 12, usage 1, no feature report
//   mi_01&col03  data         usage page 1, usage 2, 65-byte feature report
class SimHid {
public:
    struct Options {
        bool plugged = true;
        std::uint8_t dpiTableSet = 0;
        bool waitForReal = false;  // pauses also take real time
    };
    enum class CallFault { Fail, Unplug };

    SimHid();
    explicit SimHid(Options options);
    ~SimHid();
    SimHid(const SimHid&) = delete;
    SimHid& operator=(const SimHid&) = delete;

    static SimHid& Current();

    SimMouse& Mouse() { return m_mouse; }
    WireLog& Log() { return m_log; }
    VirtualClock& Clock() { return m_clock; }

    // Plug makes the mouse's collections present, then sends every registered
    // window one WM_DEVICECHANGE arrival per collection, as Windows does.
    // Unplug likewise: collections gone, then one removal per collection.
    // Handles opened before an unplug stay dead after the next plug.
    void Plug();
    void Unplug();
    // One arrival or removal notification for the interface whose path
    // contains `pathPart`, presence unchanged: what a single collection of a
    // composite device sends. False when there is no such interface.
    bool NotifyInterface(WPARAM event, std::u16string_view pathPart);
    bool IsPlugged() const { return m_plugged; }
    SimHidInterface& MouseCollection(SimCollectionRole role);

    // Another interface on the machine, enumerated before or after the ones present.
    SimHidInterface& AddInterface(SimHidInterface hidInterface, bool enumeratedFirst = false);
    // The first interface whose path contains `pathPart`; nullptr when none.
    SimHidInterface* FindInterface(std::u16string_view pathPart);

    // Fault injection. `nth` counts from now, 1 being the next call.
    // Feature faults count HidD_SetFeature and HidD_GetFeature calls; call
    // faults count every HID call (enumeration, open, attributes, features).
    // Fail: the call fails with ERROR_GEN_FAILURE. Unplug: the mouse is
    // removed just before the call; its removal notifications wait for
    // DeliverPendingNotifications (the program is busy inside the call).
    void InjectFeatureFault(int nth, CallFault fault);
    void InjectCallFault(int nth, CallFault fault);
    void FailNextClassDevs() { m_failClassDevs = true; }
    void FailInterfaceDetail(DWORD memberIndex) { m_failDetailAt = memberIndex; }
    void DeliverPendingNotifications();

    // Bookkeeping for leak checks.
    int OpenHandles() const { return static_cast<int>(m_handles.size()); }
    int OpenDeviceInfoSets() const { return static_cast<int>(m_sets.size()); }
    int OutstandingPreparsedData() const { return m_preparsedCount; }
    int Registrations() const { return static_cast<int>(m_registrations.size()); }
    // Number of CreateFileW calls on paths containing `pathPart`.
    int OpenCalls(std::u16string_view pathPart) const;

    // ---- Platform calls (the backend's HID and notification functions land here).
    HDEVINFO GetClassDevs(const GUID* classGuid, DWORD flags);
    BOOL EnumDeviceInterfaces(HDEVINFO set, const GUID* classGuid, DWORD memberIndex,
                              SP_DEVICE_INTERFACE_DATA* interfaceData);
    BOOL GetDeviceInterfaceDetail(HDEVINFO set, const SP_DEVICE_INTERFACE_DATA* interfaceData,
                                  SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize, DWORD* requiredSize);
    BOOL DestroyDeviceInfoList(HDEVINFO set);
    HANDLE CreateFile(const char16_t* path, DWORD creationDisposition);
    BOOL Close(HANDLE handle);
    BOOLEAN GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes);
    BOOLEAN GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* preparsedData);
    BOOLEAN FreePreparsedData(PHIDP_PREPARSED_DATA preparsedData);
    NTSTATUS GetCaps(PHIDP_PREPARSED_DATA preparsedData, HIDP_CAPS* capabilities);
    BOOLEAN Feature(bool set, HANDLE device, void* report, ULONG length);
    // How a notification reaches its recipient: the window framework's
    // SendMessageW, named only where a window registers, so that a program
    // that registers nothing needs no window framework.
    using Sender = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
    HDEVNOTIFY Register(HWND recipient, const void* filter, DWORD flags, Sender send);
    BOOL Unregister(HDEVNOTIFY handle);

private:
    struct Interface {
        SimHidInterface description;
        bool present = true;
        bool partOfMouse = false;
        unsigned generation = 0;  // changes at each removal; handles of an older one are dead
        int opens = 0;
    };
    struct OpenHandle {
        Interface* target;
        unsigned generation;
    };
    struct Registration {
        HWND recipient;
        Sender send;
    };
    struct Notification {
        WPARAM event;
        std::u16string name;
    };

    void AddMouseCollections();
    void RemoveMouse(bool notifyNow);
    void Notify(WPARAM event);
    void Send(const Notification& notification);
    std::optional<CallFault> CountCall(bool feature);
    Interface* Live(HANDLE handle, bool& known);
    void LogFeature(bool set, const Interface* target, const void* report, ULONG length, bool ok);

    SimMouse m_mouse;
    WireLog m_log;
    VirtualClock m_clock;
    ScopedClock m_clockInstalled;
    SimHid* m_previous;

    std::vector<std::unique_ptr<Interface>> m_interfaces;
    std::map<std::uintptr_t, OpenHandle> m_handles;
    std::map<std::uintptr_t, std::vector<Interface*>> m_sets;
    std::map<std::uintptr_t, Registration> m_registrations;
    std::vector<Notification> m_pending;
    std::map<std::u16string, int> m_openCalls;
    std::uintptr_t m_nextCookie = 0x1000;
    int m_preparsedCount = 0;
    bool m_plugged = false;

    bool m_failClassDevs = false;
    std::optional<DWORD> m_failDetailAt;
    std::map<int, CallFault> m_featureFaults;  // by feature-call number
    std::map<int, CallFault> m_callFaults;     // by call number
    int m_featureCalls = 0;
    int m_calls = 0;
};
