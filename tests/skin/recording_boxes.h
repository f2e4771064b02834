// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shared message-box recorder, installed for the life of the object.

#include "platform/msg_box.h"
#include "tests/support/recorders.h"

class ScopedRecordingBoxes : public CRecordingMessageBoxes {
public:
    ScopedRecordingBoxes() : m_previous(SetMessageBoxPresenter(this)) {}
    ~ScopedRecordingBoxes() override { SetMessageBoxPresenter(m_previous); }
    ScopedRecordingBoxes(const ScopedRecordingBoxes&) = delete;
    ScopedRecordingBoxes& operator=(const ScopedRecordingBoxes&) = delete;

private:
    IMessageBoxPresenter* m_previous;
};
