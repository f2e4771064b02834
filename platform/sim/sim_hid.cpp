// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sim/sim_hid.h"

#include <algorithm>

#include "platform/sim/sim_cookies.h"
#include "platform/winuser.h"

namespace {

SimHid* g_current = nullptr;

constexpr std::u16string_view kHidClassSuffix = u"#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr USHORT kMouseVendor = 0x04D9;
constexpr USHORT kMouseProduct = 0xA09E;

std::u16string Hex4(USHORT value, bool upper)
{
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::u16string text;
    for (int shift = 12; shift >= 0; shift -= 4) {
        text += static_cast<char16_t>(digits[(value >> shift) & 0xF]);
    }
    return text;
}

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
        lowerCollection += SimLower(c);
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
        entry->description = MakeHidInterface(kMouseVendor, kMouseProduct, c.name, c.usagePage, c.usage, c.featureLength);
        entry->description.role = c.role;
        entry->partOfMouse = true;
        m_interfaces.push_back(std::move(entry));
    }
}

SimHidInterface& SimHid::MouseCollection(SimCollectionRole role)
{
    for (auto& entry : m_interfaces) {
        if (entry->partOfMouse && entry->description.role == role) {
            return entry->description;
        }
    }
    // The pointer collection stands for "other".
    return m_interfaces.front()->description;
}

SimHidInterface& SimHid::AddInterface(SimHidInterface hidInterface, bool enumeratedFirst)
{
    auto entry = std::make_unique<Interface>();
    entry->description = std::move(hidInterface);
    Interface* raw = entry.get();
    if (enumeratedFirst) {
        m_interfaces.insert(m_interfaces.begin(), std::move(entry));
    } else {
        m_interfaces.push_back(std::move(entry));
    }
    return raw->description;
}

SimHidInterface* SimHid::FindInterface(std::u16string_view pathPart)
{
    for (auto& entry : m_interfaces) {
        if (entry->description.path.find(pathPart) != std::u16string::npos) {
            return &entry->description;
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
            m_pending.push_back({DBT_DEVICEREMOVECOMPLETE, entry->description.notifyName});
        }
    }
}

void SimHid::Notify(WPARAM event)
{
    std::vector<Notification> notifications;
    for (auto& entry : m_interfaces) {
        if (entry->partOfMouse) {
            notifications.push_back({event, entry->description.notifyName});
        }
    }
    for (const Notification& notification : notifications) {
        Send(notification);
    }
}

bool SimHid::NotifyInterface(WPARAM event, std::u16string_view pathPart)
{
    const SimHidInterface* target = FindInterface(pathPart);
    if (target == nullptr) {
        return false;
    }
    Send({event, target->notifyName});
    return true;
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
    std::vector<Registration> recipients;
    for (const auto& [cookie, registration] : m_registrations) {
        recipients.push_back(registration);
    }
    for (const Registration& registration : recipients) {
        registration.send(registration.recipient, WM_DEVICECHANGE, notification.event,
                          reinterpret_cast<LPARAM>(&broadcast));
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

// ---- Notifications ----------------------------------------------------------

HDEVNOTIFY SimHid::Register(HWND recipient, const void* filter, DWORD flags, Sender send)
{
    const auto* header = static_cast<const DEV_BROADCAST_HDR*>(filter);
    if (header == nullptr || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE ||
        flags != DEVICE_NOTIFY_WINDOW_HANDLE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::uintptr_t cookie = m_nextCookie += kSimHandleStep;
    m_registrations[cookie] = Registration{recipient, send};
    return CookieHandle(cookie);
}

BOOL SimHid::Unregister(HDEVNOTIFY handle)
{
    if (m_registrations.erase(HandleCookie(handle)) == 0) {
        return FailWith(ERROR_INVALID_HANDLE);
    }
    return TRUE;
}
