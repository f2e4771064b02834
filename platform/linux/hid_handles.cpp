// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/hid_handles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <span>
#include <vector>

#include "platform/linux/hidraw_io.h"

// The capabilities of one collection, handed out by HidD_GetPreparsedData.
struct HIDP_PREPARSED_DATA {
    HIDP_CAPS caps;
};

namespace {

struct ErrnoTranslation {
    int posix;
    DWORD windows;
};

constexpr ErrnoTranslation kTranslations[] = {
    {ENOENT, ERROR_FILE_NOT_FOUND},
    {EACCES, ERROR_ACCESS_DENIED},
    {EPERM, ERROR_ACCESS_DENIED},
    {EBADF, ERROR_INVALID_HANDLE},
    {EINVAL, ERROR_INVALID_PARAMETER},
    {ENODEV, ERROR_DEVICE_NOT_CONNECTED},  // unplugged while open
    {ENXIO, ERROR_DEVICE_NOT_CONNECTED},
    {ESHUTDOWN, ERROR_DEVICE_NOT_CONNECTED},
};

HIDP_CAPS CapsOf(const TopLevelCollection& collection)
{
    const ReportByteLengths lengths = ReportLengths(collection);
    HIDP_CAPS caps{};
    caps.Usage = collection.usage;
    caps.UsagePage = collection.usagePage;
    caps.InputReportByteLength = lengths.input;
    caps.OutputReportByteLength = lengths.output;
    caps.FeatureReportByteLength = lengths.feature;
    return caps;
}

}  // namespace

DWORD HidErrorFromErrno(int error)
{
    for (const ErrnoTranslation& t : kTranslations) {
        if (t.posix == error) {
            return t.windows;
        }
    }
    return ERROR_GEN_FAILURE;  // EIO, EPIPE (the device stalled), timeouts
}

void CHidHandles::PreparsedDeleter::operator()(HIDP_PREPARSED_DATA* data) const { delete data; }

CHidHandles::~CHidHandles()
{
    for (const auto& [key, handle] : m_handles) {
        if (handle->fd >= 0) {
            m_io.Close(handle->fd);
        }
    }
}

HANDLE CHidHandles::Open(const char16_t* path, DWORD creationDisposition, bool mayQuery)
{
    if (!path || creationDisposition != OPEN_EXISTING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    // The path must name a collection that is there now, on the same device:
    // a node number reused by another device does not open under an old path.
    const std::u16string_view text(path);
    const auto ref = ParseInterfacePath(text);
    const auto node = ref ? m_tree.ReadNode(ref->node) : std::nullopt;
    if (!node || ref->collection >= node->collections.size() || InterfacePath(*node, ref->collection) != text) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const int fd = m_io.Open(m_tree.DeviceNodePath(node->name));
    const bool refused = fd == -EACCES || fd == -EPERM;
    if (fd < 0 && !(refused && mayQuery)) {
        SetLastError(HidErrorFromErrno(-fd));
        return INVALID_HANDLE_VALUE;
    }
    // Between reading sysfs and opening /dev another device may have taken
    // the node number; the open descriptor tells which device it really is.
    if (fd >= 0 && !IsDeviceOf(fd, *node)) {
        m_io.Close(fd);
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto handle = std::make_unique<Handle>(Handle{fd < 0 ? -1 : fd, *node, ref->collection});
    HANDLE key = handle.get();
    m_handles.emplace(key, std::move(handle));
    return key;
}

bool CHidHandles::IsDeviceOf(int fd, const HidrawNode& node)
{
    HidrawRawInfo info;
    return m_io.GetRawInfo(fd, info) >= 0 && info.busType == node.busType && info.vendor == node.vendor &&
           info.product == node.product;
}

CHidHandles::Handle* CHidHandles::Find(HANDLE handle)
{
    const auto it = m_handles.find(handle);
    if (it == m_handles.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return it->second.get();
}

BOOL CHidHandles::Close(HANDLE handle)
{
    Handle* found = Find(handle);
    if (!found) {
        return FALSE;
    }
    if (found->fd >= 0) {
        m_io.Close(found->fd);
    }
    m_handles.erase(handle);
    return TRUE;
}

BOOLEAN CHidHandles::GetAttributes(HANDLE handle, HIDD_ATTRIBUTES* attributes)
{
    Handle* found = Find(handle);
    if (!found) {
        return FALSE;
    }
    if (!attributes) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HidrawRawInfo info{found->node.busType, found->node.vendor, found->node.product};
    if (found->fd >= 0) {
        const int result = m_io.GetRawInfo(found->fd, info);
        if (result < 0) {
            SetLastError(HidErrorFromErrno(-result));
            return FALSE;
        }
    }
    attributes->Size = sizeof(HIDD_ATTRIBUTES);
    attributes->VendorID = info.vendor;
    attributes->ProductID = info.product;
    attributes->VersionNumber = found->node.version;
    return TRUE;
}

BOOLEAN CHidHandles::GetPreparsedData(HANDLE handle, PHIDP_PREPARSED_DATA* preparsedData)
{
    Handle* found = Find(handle);
    if (!found) {
        return FALSE;
    }
    if (!preparsedData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::unique_ptr<HIDP_PREPARSED_DATA, PreparsedDeleter> data(new HIDP_PREPARSED_DATA{});
    data->caps = CapsOf(found->node.collections[found->collection]);
    *preparsedData = data.get();
    m_preparsed.emplace(data.get(), std::move(data));
    return TRUE;
}

BOOLEAN CHidHandles::FreePreparsedData(PHIDP_PREPARSED_DATA preparsedData)
{
    return m_preparsed.erase(preparsedData) == 1 ? TRUE : FALSE;
}

NTSTATUS CHidHandles::GetCaps(PHIDP_PREPARSED_DATA preparsedData, HIDP_CAPS* capabilities)
{
    if (!capabilities || m_preparsed.find(preparsedData) == m_preparsed.end()) {
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    }
    *capabilities = preparsedData->caps;
    return HIDP_STATUS_SUCCESS;
}

std::size_t CHidHandles::FeatureLength(const Handle& handle, const void* buffer, ULONG length)
{
    if (!buffer || length == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // Byte 0 is the report id; 0 only names a report of a collection without ids.
    const std::uint8_t reportId = *static_cast<const std::uint8_t*>(buffer);
    const ReportBits* report = handle.node.collections[handle.collection].FeatureReport(reportId);
    if (!report) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::size_t reportLength = ReportByteLength(report->feature);
    if (length < reportLength) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (reportLength > kMaxHidrawReportBytes) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (handle.fd < 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    return reportLength;
}

BOOLEAN CHidHandles::SetFeature(HANDLE handle, void* buffer, ULONG length)
{
    Handle* found = Find(handle);
    const std::size_t reportLength = found ? FeatureLength(*found, buffer, length) : 0;
    if (reportLength == 0) {
        return FALSE;
    }
    // Only the report itself goes to the device, as the HID class sends it.
    const int result = m_io.SetFeature(found->fd, {static_cast<const std::uint8_t*>(buffer), reportLength});
    if (result < 0) {
        SetLastError(HidErrorFromErrno(-result));
        return FALSE;
    }
    return TRUE;
}

BOOLEAN CHidHandles::GetFeature(HANDLE handle, void* buffer, ULONG length)
{
    Handle* found = Find(handle);
    const std::size_t reportLength = found ? FeatureLength(*found, buffer, length) : 0;
    if (reportLength == 0) {
        return FALSE;
    }
    std::vector<std::uint8_t> report(reportLength, 0);
    report[0] = *static_cast<const std::uint8_t*>(buffer);
    const int result = m_io.GetFeature(found->fd, report);
    if (result < 0) {
        SetLastError(HidErrorFromErrno(-result));
        return FALSE;
    }
    // A short answer is not the report: half a configuration block taken for
    // the whole would go back to the mouse with the next write. The caller's
    // buffer stays as it was.
    if (static_cast<std::size_t>(result) < reportLength) {
        SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    std::memcpy(buffer, report.data(), reportLength);
    return TRUE;
}
