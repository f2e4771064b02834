// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/device_notification.h"

#include "platform/hid.h"

namespace {

// The size the filter is announced with: the broadcast record up to a
// one-character name, as the notification service expects it.
constexpr DWORD kNotificationFilterSize = 32;

}  // namespace

CDeviceNotification::CDeviceNotification()
{
    m_filter.dbcc_size = kNotificationFilterSize;
    m_filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    m_filter.dbcc_reserved = 0;
    m_filter.dbcc_classguid = GUID_DEVINTERFACE_HID;
}

CDeviceNotification::~CDeviceNotification()
{
    if (m_handle != nullptr) {
        UnregisterDeviceNotification(m_handle);
    }
}

bool CDeviceNotification::Register(HWND window)
{
    m_handle = RegisterDeviceNotificationW(window, &m_filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    return m_handle != nullptr;
}
