#include "platform/sim/sim_hid.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/firmware_scrambling.h"
#include "platform/winuser.h"

// The capabilities behind a preparsed-data pointer handed out by the simulation.
struct HIDP_PREPARSED_DATA {
    HIDP_CAPS caps;
    bool valid;
};

namespace {

SimHid* g_current = nullptr;

constexpr std::u16string_view kHidClassSuffix = u"#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr USHORT kMouseVendor = 0x04D9;
constexpr USHORT kMouseProduct = 0xA09E;
constexpr DWORD kSpintActive = 0x00000001;
constexpr std::uintptr_t kHandleStep = 4;

std::u16string Hex4(USHORT value, bool upper)
{
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::u16string text;
    for (int shift = 12; shift >= 0; shift -= 4) {
        text += static_cast<char16_t>(digits[(value >> shift) & 0xF]);
    }
    return text;
}

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }
char16_t Upper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// Windows writes notification names with upper-case ids and interface
// numbers but "Col" capitalised: MI_01&Col02.
std::u16string NotificationForm(std::u16string_view collection)
{
    std::u16string text;
    for (char16_t c : collection) {
        text += Upper(c);
    }
    for (std::size_t at = text.find(u"COL"); at != std::u16string::npos; at = text.find(u"COL", at + 1)) {
        text[at + 1] = u'o';
        text[at + 2] = u'l';
    }
    return text;
}

bool SamePath(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return Lower(x) == Lower(y); });
}

HANDLE CookieHandle(std::uintptr_t cookie) { return reinterpret_cast<HANDLE>(cookie); }
std::uintptr_t HandleCookie(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

BOOL FailWith(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

}  // namespace

SimHidInterface MakeHidInterface(USHORT vendorId, USHORT productId, std::u16string_view collection,
                                 USHORT usagePage, USHORT usage, USHORT featureReportByteLength)
{
    SimHidInterface hidInterface;
    hidInterface.vendorId = vendorId;
    hidInterface.productId = productId;
    hidInterface.usagePage = usagePage;
    hidInterface.usage = usage;
    hidInterface.featureReportByteLength = featureReportByteLength;
    std::u16string lowerCollection;
    for (char16_t c : collection) {
        lowerCollection += Lower(c);
    }
    // Windows puts a hash of the parent device here; any value stable per device will do.
    const std::u16string instance =
        u"#8&" + Hex4(vendorId ^ 0x2D6A, false) + Hex4(productId ^ 0x5C1B, false) + u"&0&0000";
    hidInterface.path = u"\\\\?\\hid#vid_" + Hex4(vendorId, false) + u"&pid_" + Hex4(productId, false) + u"&" +
                        lowerCollection + instance + std::u16string(kHidClassSuffix);
    hidInterface.notifyName = u"\\\\?\\HID#VID_" + Hex4(vendorId, true) + u"&PID_" + Hex4(productId, true) + u"&" +
                              NotificationForm(collection) + instance + std::u16string(kHidClassSuffix);
    return hidInterface;
}

SimHid::SimHid() : SimHid(Options{}) {}

SimHid::SimHid(Options options)
    : m_clock(options.waitForReal), m_clockInstalled(m_clock), m_previous(g_current)
{
    g_current = this;
    m_mouse.SetMemory(SimMouse::FactoryConfiguration(options.dpiTableSet));
    m_clock.SetListener([this](std::chrono::milliseconds pause) {
        WireEntry entry;
        entry.kind = WireEntry::Kind::Pause;
        entry.ok = true;
        entry.pause = pause;
        m_log.Add(std::move(entry));
    });
    AddMouseCollections();
    m_plugged = options.plugged;
    for (auto& entry : m_interfaces) {
        entry->present = m_plugged;
    }
}

SimHid::~SimHid() { g_current = m_previous; }

SimHid& SimHid::Current()
{
    if (g_current == nullptr) {
        static SimHid machine(Options{true, 0, true});
        return machine;
    }
    return *g_current;
}

void SimHid::AddMouseCollections()
{
    struct Collection {
        std::u16string_view name;
        USHORT usagePage;
        USHORT usage;
        USHORT featureLength;
        SimCollectionRole role;
    };
    constexpr Collection kCollections[] = {
        {u"mi_00", 1, 2, 0, SimCollectionRole::Other},
        {u"mi_01&col01", 1, 6, 8, SimCollectionRole::Command},
        {u"mi_01&col02", 12, 1, 0, SimCollectionRole::Other},
        {u"mi_01&col03", 1, 2, 65, SimCollectionRole::Data},
    };
    for (const Collection& c : kCollections) {
        auto entry = std::make_unique<Interface>();
        entry->spec = MakeHidInterface(kMouseVendor, kMouseProduct, c.name, c.usagePage, c.usage, c.featureLength);
        entry->spec.role = c.role;
        entry->partOfMouse = true;
        m_interfaces.push_back(std::move(entry));
    }
}

SimHidInterface& SimHid::MouseCollection(SimCollectionRole role)
{
    for (auto& entry : m_interfaces) {
        if (entry->partOfMouse && entry->spec.role == role) {
            return entry->spec;
        }
    }
    // The pointer collection stands for "other".
    return m_interfaces.front()->spec;
}

SimHidInterface& SimHid::AddInterface(SimHidInterface hidInterface, bool enumeratedFirst)
{
    auto entry = std::make_unique<Interface>();
    entry->spec = std::move(hidInterface);
    Interface* raw = entry.get();
    if (enumeratedFirst) {
        m_interfaces.insert(m_interfaces.begin(), std::move(entry));
    } else {
        m_interfaces.push_back(std::move(entry));
    }
    return raw->spec;
}

SimHidInterface* SimHid::FindInterface(std::u16string_view pathPart)
{
    for (auto& entry : m_interfaces) {
        if (entry->spec.path.find(pathPart) != std::u16string::npos) {
            return &entry->spec;
        }
    }
    return nullptr;
}

int SimHid::OpenCalls(std::u16string_view pathPart) const
{
    int count = 0;
    for (const auto& [path, calls] : m_openCalls) {
        if (path.find(pathPart) != std::u16string::npos) {
            count += calls;
        }
    }
    return count;
}

// ---- Plug and unplug ------------------------------------------------------

void SimHid::Plug()
{
    DeliverPendingNotifications();
    if (m_plugged) {
        return;
    }
    m_plugged = true;
    for (auto& entry : m_interfaces) {
        if (entry->partOfMouse) {
            entry->present = true;
        }
    }
    Notify(DBT_DEVICEARRIVAL);
}

void SimHid::Unplug()
{
    DeliverPendingNotifications();
    RemoveMouse(true);
}

void SimHid::RemoveMouse(bool notifyNow)
{
    if (!m_plugged) {
        return;
    }
    m_plugged = false;
    m_mouse.Reset();
    for (auto& entry : m_interfaces) {
        if (entry->partOfMouse) {
            entry->present = false;
            ++entry->generation;
        }
    }
    if (notifyNow) {
        Notify(DBT_DEVICEREMOVECOMPLETE);
        return;
    }
    for (auto& entry : m_interfaces) {
        if (entry->partOfMouse) {
            m_pending.push_back({DBT_DEVICEREMOVECOMPLETE, entry->spec.notifyName});
        }
    }
}

void SimHid::Notify(WPARAM event)
{
    std::vector<Notification> notifications;
    for (auto& entry : m_interfaces) {
        if (entry->partOfMouse) {
            notifications.push_back({event, entry->spec.notifyName});
        }
    }
    for (const Notification& notification : notifications) {
        Send(notification);
    }
}

void SimHid::DeliverPendingNotifications()
{
    std::vector<Notification> pending;
    pending.swap(m_pending);
    for (const Notification& notification : pending) {
        Send(notification);
    }
}

void SimHid::Send(const Notification& notification)
{
    DEV_BROADCAST_DEVICEINTERFACE_W broadcast{};
    broadcast.dbcc_size = sizeof(broadcast);
    broadcast.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    broadcast.dbcc_classguid = GUID_DEVINTERFACE_HID;
    const std::size_t chars = std::min(notification.name.size(), kDeviceInterfaceNameChars - 1);
    std::copy_n(notification.name.begin(), chars, broadcast.dbcc_name);
    // A window may unregister while it handles the message.
    std::vector<HWND> recipients;
    for (const auto& [cookie, window] : m_registrations) {
        recipients.push_back(window);
    }
    for (HWND window : recipients) {
        SendMessageW(window, WM_DEVICECHANGE, notification.event, reinterpret_cast<LPARAM>(&broadcast));
    }
}

// ---- Faults -----------------------------------------------------------------

void SimHid::InjectFeatureFault(int nth, CallFault fault) { m_featureFaults[m_featureCalls + nth] = fault; }

void SimHid::InjectCallFault(int nth, CallFault fault) { m_callFaults[m_calls + nth] = fault; }

std::optional<SimHid::CallFault> SimHid::CountCall(bool feature)
{
    std::optional<CallFault> fault;
    ++m_calls;
    if (auto it = m_callFaults.find(m_calls); it != m_callFaults.end()) {
        fault = it->second;
        m_callFaults.erase(it);
    }
    if (feature) {
        ++m_featureCalls;
        if (auto it = m_featureFaults.find(m_featureCalls); it != m_featureFaults.end()) {
            fault = it->second;
            m_featureFaults.erase(it);
        }
    }
    if (fault == CallFault::Unplug) {
        RemoveMouse(false);
    }
    return fault;
}

// ---- Enumeration -----------------------------------------------------------

HDEVINFO SimHid::GetClassDevs(const GUID* classGuid, DWORD flags)
{
    const auto fault = CountCall(false);
    if (m_failClassDevs || fault == CallFault::Fail || classGuid == nullptr ||
        (flags & DIGCF_DEVICEINTERFACE) == 0) {
        m_failClassDevs = false;
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::vector<Interface*> snapshot;
    if (*classGuid == GUID_DEVINTERFACE_HID) {
        for (auto& entry : m_interfaces) {
            if (entry->present || (flags & DIGCF_PRESENT) == 0) {
                snapshot.push_back(entry.get());
            }
        }
    }
    const std::uintptr_t cookie = m_nextCookie += kHandleStep;
    m_sets[cookie] = std::move(snapshot);
    return CookieHandle(cookie);
}

BOOL SimHid::EnumDeviceInterfaces(HDEVINFO set, const GUID* classGuid, DWORD memberIndex,
                                  SP_DEVICE_INTERFACE_DATA* interfaceData)
{
    const auto fault = CountCall(false);
    const auto it = m_sets.find(HandleCookie(set));
    if (it == m_sets.end()) {
        return FailWith(ERROR_INVALID_HANDLE);
    }
    if (interfaceData == nullptr || interfaceData->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA) ||
        classGuid == nullptr) {
        return FailWith(ERROR_INVALID_PARAMETER);
    }
    if (fault == CallFault::Fail) {
        return FailWith(ERROR_GEN_FAILURE);
    }
    if (memberIndex >= it->second.size()) {
        return FailWith(ERROR_NO_MORE_ITEMS);
    }
    interfaceData->InterfaceClassGuid = *classGuid;
    interfaceData->Flags = kSpintActive;
    interfaceData->Reserved = memberIndex + 1;
    return TRUE;
}

BOOL SimHid::GetDeviceInterfaceDetail(HDEVINFO set, const SP_DEVICE_INTERFACE_DATA* interfaceData,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize,
                                      DWORD* requiredSize)
{
    const auto fault = CountCall(false);
    const auto it = m_sets.find(HandleCookie(set));
    if (it == m_sets.end()) {
        return FailWith(ERROR_INVALID_HANDLE);
    }
    if (interfaceData == nullptr || interfaceData->Reserved == 0 || interfaceData->Reserved > it->second.size()) {
        return FailWith(ERROR_INVALID_PARAMETER);
    }
    const DWORD memberIndex = static_cast<DWORD>(interfaceData->Reserved - 1);
    const std::u16string& path = it->second[memberIndex]->spec.path;
    const std::size_t pathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath);
    const DWORD needed = static_cast<DWORD>(pathOffset + (path.size() + 1) * sizeof(char16_t));
    if (requiredSize != nullptr) {
        *requiredSize = needed;
    }
    if (detail == nullptr) {
        return FailWith(detailSize == 0 ? ERROR_INSUFFICIENT_BUFFER : ERROR_INVALID_PARAMETER);
    }
    if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
        return FailWith(ERROR_INVALID_PARAMETER);
    }
    if (detailSize < needed) {
        return FailWith(ERROR_INSUFFICIENT_BUFFER);
    }
    if (fault == CallFault::Fail || m_failDetailAt == memberIndex) {
        return FailWith(ERROR_GEN_FAILURE);
    }
    char* bytes = reinterpret_cast<char*>(detail);
    std::memcpy(bytes + pathOffset, path.c_str(), (path.size() + 1) * sizeof(char16_t));
    return TRUE;
}

BOOL SimHid::DestroyDeviceInfoList(HDEVINFO set)
{
    CountCall(false);
    if (m_sets.erase(HandleCookie(set)) == 0) {
        return FailWith(ERROR_INVALID_HANDLE);
    }
    return TRUE;
}

// ---- Handles ----------------------------------------------------------------

HANDLE SimHid::CreateFile(const char16_t* path, DWORD creationDisposition)
{
    const auto fault = CountCall(false);
    if (path == nullptr || creationDisposition != OPEN_EXISTING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    ++m_openCalls[path];
    Interface* target = nullptr;
    for (auto& entry : m_interfaces) {
        if (entry->present && SamePath(entry->spec.path, path)) {
            target = entry.get();
            break;
        }
    }
    if (target == nullptr) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const int limit = target->spec.opensBeforeFailure;
    if (fault == CallFault::Fail || (limit >= 0 && target->opens >= limit)) {
        SetLastError(fault == CallFault::Fail ? ERROR_GEN_FAILURE : ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    ++target->opens;
    const std::uintptr_t cookie = m_nextCookie += kHandleStep;
    m_handles[cookie] = {target, target->generation};
    return CookieHandle(cookie);
}

BOOL SimHid::Close(HANDLE handle)
{
    if (m_handles.erase(HandleCookie(handle)) == 0) {
        return FailWith(ERROR_INVALID_HANDLE);
    }
    return TRUE;
}

SimHid::Interface* SimHid::Live(HANDLE handle, bool& known)
{
    const auto it = m_handles.find(HandleCookie(handle));
    known = it != m_handles.end();
    if (!known) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    Interface* target = it->second.target;
    if (!target->present || target->generation != it->second.generation) {
        SetLastError(ERROR_DEVICE_NOT_CONNECTED);
        return nullptr;
    }
    return target;
}

// ---- HID --------------------------------------------------------------------

BOOLEAN SimHid::GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes)
{
    const auto fault = CountCall(false);
    bool known = false;
    Interface* target = Live(device, known);
    if (target == nullptr || attributes == nullptr) {
        return FALSE;
    }
    if (fault == CallFault::Fail) {
        return static_cast<BOOLEAN>(FailWith(ERROR_GEN_FAILURE));
    }
    attributes->Size = sizeof(HIDD_ATTRIBUTES);
    attributes->VendorID = target->spec.vendorId;
    attributes->ProductID = target->spec.productId;
    attributes->VersionNumber = target->spec.versionNumber;
    return TRUE;
}

BOOLEAN SimHid::GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* preparsedData)
{
    const auto fault = CountCall(false);
    bool known = false;
    Interface* target = Live(device, known);
    if (target == nullptr || preparsedData == nullptr) {
        return FALSE;
    }
    if (fault == CallFault::Fail || target->spec.noPreparsedData) {
        return static_cast<BOOLEAN>(FailWith(ERROR_GEN_FAILURE));
    }
    HIDP_CAPS caps{};
    caps.Usage = target->spec.usage;
    caps.UsagePage = target->spec.usagePage;
    caps.FeatureReportByteLength = target->spec.featureReportByteLength;
    *preparsedData = new HIDP_PREPARSED_DATA{caps, !target->spec.invalidPreparsedData};
    ++m_preparsedCount;
    return TRUE;
}

BOOLEAN SimHid::FreePreparsedData(PHIDP_PREPARSED_DATA preparsedData)
{
    if (preparsedData == nullptr) {
        return FALSE;
    }
    delete preparsedData;
    --m_preparsedCount;
    return TRUE;
}

NTSTATUS SimHid::GetCaps(PHIDP_PREPARSED_DATA preparsedData, HIDP_CAPS* capabilities)
{
    if (preparsedData == nullptr || !preparsedData->valid || capabilities == nullptr) {
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    }
    *capabilities = preparsedData->caps;
    return HIDP_STATUS_SUCCESS;
}

BOOLEAN SimHid::Feature(bool set, HANDLE device, void* report, ULONG length)
{
    const auto fault = CountCall(true);
    bool known = false;
    Interface* target = Live(device, known);  // sets the error of a bad or dead handle
    auto* bytes = static_cast<std::uint8_t*>(report);
    bool ok = false;
    if (target != nullptr && fault == CallFault::Fail) {
        SetLastError(ERROR_GEN_FAILURE);
    } else if (target != nullptr) {
        if (report == nullptr || length != target->spec.featureReportByteLength ||
            target->spec.role == SimCollectionRole::Other) {
            SetLastError(ERROR_INVALID_PARAMETER);
        } else {
            const bool command = target->spec.role == SimCollectionRole::Command;
            if (command) {
                ok = set ? m_mouse.SetCommand(bytes, length) : m_mouse.GetAnswer(bytes, length);
            } else {
                ok = set ? m_mouse.SetData(bytes, length) : m_mouse.GetData(bytes, length);
            }
            if (!ok) {
                SetLastError(ERROR_GEN_FAILURE);
            }
        }
    }
    const auto it = m_handles.find(HandleCookie(device));
    LogFeature(set, it == m_handles.end() ? nullptr : it->second.target, report, length, ok);
    return ok ? TRUE : FALSE;
}

void SimHid::LogFeature(bool set, const Interface* target, const void* report, ULONG length, bool ok)
{
    WireEntry entry;
    entry.kind = set ? WireEntry::Kind::SetFeature : WireEntry::Kind::GetFeature;
    entry.ok = ok;
    if (target == nullptr) {
        entry.target = WireEntry::Target::BadHandle;
    } else if (target->spec.role == SimCollectionRole::Command) {
        entry.target = WireEntry::Target::Command;
    } else if (target->spec.role == SimCollectionRole::Data) {
        entry.target = WireEntry::Target::Data;
    } else {
        entry.target = WireEntry::Target::OtherCollection;
    }
    if (report != nullptr) {
        const auto* bytes = static_cast<const std::uint8_t*>(report);
        entry.bytes.assign(bytes, bytes + length);
        entry.plain = entry.bytes;
        if (length == SimMouse::kCommandLength || length == SimMouse::kDataLength) {
            FirmwareDecodeReport(entry.plain.data(), length);
        }
    }
    m_log.Add(std::move(entry));
}

// ---- Notifications ----------------------------------------------------------

HDEVNOTIFY SimHid::Register(HWND recipient, const void* filter, DWORD flags)
{
    const auto* header = static_cast<const DEV_BROADCAST_HDR*>(filter);
    if (header == nullptr || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE ||
        flags != DEVICE_NOTIFY_WINDOW_HANDLE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::uintptr_t cookie = m_nextCookie += kHandleStep;
    m_registrations[cookie] = recipient;
    return CookieHandle(cookie);
}

BOOL SimHid::Unregister(HDEVNOTIFY handle)
{
    if (m_registrations.erase(HandleCookie(handle)) == 0) {
        return FailWith(ERROR_INVALID_HANDLE);
    }
    return TRUE;
}
