#pragma once
// Records every owner message box while installed and answers it with OK.

#include <string>
#include <vector>

#include "platform/msgbox.h"
#include "platform/winuser.h"

struct RecordedBox {
    HWND owner;
    std::u16string text;
    std::u16string caption;
};

class RecordingBoxes : public IMessageBoxPresenter {
public:
    RecordingBoxes() : m_previous(SetMessageBoxPresenter(this)) {}
    ~RecordingBoxes() override { SetMessageBoxPresenter(m_previous); }
    RecordingBoxes(const RecordingBoxes&) = delete;
    RecordingBoxes& operator=(const RecordingBoxes&) = delete;

    int Show(HWND owner, std::u16string_view text, std::u16string_view caption, UINT /*type*/) override
    {
        boxes.push_back({owner, std::u16string(text), std::u16string(caption)});
        return static_cast<int>(IDOK);
    }

    std::vector<RecordedBox> boxes;

private:
    IMessageBoxPresenter* m_previous;
};
