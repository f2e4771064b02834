// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "device/device_link.h"
#include "device/discovery.h"
#include "device/transfer.h"
#include "platform/msg_box.h"
#include "platform/sim/sim_hid.h"
#include "settings/device_image.h"
#include "settings/dpi_tables.h"
#include "tests/device/window_double.h"
#include "tests/support/process_state.h"

inline constexpr char16_t kMouseNotFound[] = u"The system did not detect the gaming mouse!";

// A sane machine with the mouse plugged in, the device link as at process
// start, and recorders for boxes and window calls. Each test breaks one thing.
class DeviceLinkTest : public ProcessStateTest {
protected:
    explicit DeviceLinkTest(SimHid::Options options = {}) : hid(options) {}

    // Discovery as start-up runs it, scrambling switched on; the log starts empty.
    void OpenMouse()
    {
        ASSERT_TRUE(Discover(g_deviceLink).Done());
        g_deviceLink.deviceOpened = 1;
        hid.Log().Clear();
    }

    // The transfers on the process's link and image, each failure shown as
    // the window says it, in a box owned by `owner`; true when done.
    bool Refresh() { return Said(RefreshDeviceImage(g_deviceLink, ProcessImage(), DpiTableSet)); }
    bool Read() { return Said(ReadDeviceConfiguration(g_deviceLink, ProcessImage())); }
    bool Write() { return Said(WriteDeviceConfiguration(g_deviceLink, g_deviceImage, g_deviceImageFromMouse)); }

    static MouseImage ProcessImage() { return {g_deviceImage, g_deviceImageFromMouse}; }

    bool Said(const Outcome& outcome) const
    {
        const OutcomeMessage message = MessageOf(outcome, kMouseNotFound);
        if (message.said) {
            MessageBoxW(owner, message.text.c_str(), message.caption.empty() ? nullptr : message.caption.c_str(),
                        MB_OK);
        }
        return outcome.Done();
    }

    // The one message box shown; a stand-in that matches no real box when
    // there were none or several, so that a check fails instead of crashing.
    RecordingMessageBoxes::Box OnlyBox() const
    {
        if (boxes.Boxes().size() == 1) {
            return boxes.Boxes().front();
        }
        return {nullptr, u"<not one box>", u"<not one box>"};
    }
    std::u16string OnlyBoxText() const { return OnlyBox().text; }

    const HWND owner = FakeWindow(1);
    SimHid hid;
    RecordingMessageBoxes boxes;
    RecordingWindows windows;
};
