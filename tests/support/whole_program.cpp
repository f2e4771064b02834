// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/whole_program.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/program.h"
#include "device/device_link.h"
#include "platform/services/process.h"
#include "platform/services/system_info.h"
#include "platform/str_conv.h"
#include "platform/wnd/testing.h"
#include "settings/device_image.h"
#include "settings/dpi_tables.h"
#include "settings/exe_path.h"
#include "settings/settings_state.h"
#include "tests/support/process_state.h"

namespace fs = std::filesystem;

namespace {

std::string MakeTempFolder(const char* pattern)
{
    std::string path = (fs::temp_directory_path() / pattern).string();
    if (::mkdtemp(path.data()) == nullptr) {
        ADD_FAILURE() << "cannot make a temporary folder from " << pattern;
    }
    return path;
}

std::string OutputFolder()
{
    const char* output = std::getenv("KX_OUTPUT_DIR");
    return output != nullptr ? output : KX_TEST_OUTPUT_DIR;
}

}  // namespace

CVantorDlg& MainWindowOf(HWND dialog)
{
    return static_cast<CVantorDlg&>(*CWnd::FromHandle(dialog));
}

std::u16string U16(const std::string& text)
{
    return Utf8ToUtf16(text);
}

void WholeProgramTest::SetUp()
{
    HeadlessProgramTest::SetUp();
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
        m_hadRuntime = true;
        m_previousRuntime = runtime;
    }
    PrepareRun();
}

void WholeProgramTest::TearDown()
{
    FinishRun();
    if (m_hadRuntime) {
        ::setenv("XDG_RUNTIME_DIR", m_previousRuntime.c_str(), 1);
    } else {
        ::unsetenv("XDG_RUNTIME_DIR");
    }
    HeadlessProgramTest::TearDown();
}

void WholeProgramTest::PrepareRun()
{
    wndtest::StartHeadless();
    m_boxes.boxes.clear();
    m_outputFolder = OutputFolder();
    m_installFolder = MakeTempFolder("kx-shell-install-XXXXXX");
    fs::copy(fs::path(m_outputFolder) / "Skins", fs::path(m_installFolder) / "Skins", fs::copy_options::recursive);
    fs::copy(fs::path(m_outputFolder) / "config.bin", fs::path(m_installFolder) / "config.bin");

    m_runtimeFolder = MakeTempFolder("kx-shell-run-XXXXXX");
    ::setenv("XDG_RUNTIME_DIR", m_runtimeFolder.c_str(), 1);

    SetModulePathForTesting(U16(m_installFolder + "/KX-507-demo"));
    SetSystemDefaultLangIdForTesting(1033);
    SetExitProcessHookForTesting([](UINT code) { throw ProcessExited{code}; });

    // A start again within the test: the program's state as a fresh process
    // has it, the test's recorders kept.
    ResetProgramState();
}

void WholeProgramTest::FinishRun()
{
    SetExitProcessHookForTesting(nullptr);
    SetSystemDefaultLangIdForTesting(std::nullopt);
    SetModulePathForTesting(std::nullopt);
    std::error_code ignored;
    fs::remove_all(m_installFolder, ignored);
    fs::remove_all(m_runtimeFolder, ignored);
}

int WholeProgramTest::RunProgram(std::vector<ProgramStep> steps)
{
    for (ProgramStep& step : steps) {
        wndtest::QueueModalAction([step = std::move(step)](HWND dialog) { step(MainWindowOf(dialog)); });
    }
    wndtest::QueueModalAction([](HWND dialog) { MainWindowOf(dialog).EndDialog(IDCANCEL); });
    return RunVantorProgram();
}

void WholeProgramTest::WriteInstallFile(const std::string& name, const std::string& bytes)
{
    std::ofstream out(fs::path(m_installFolder) / name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string WholeProgramTest::ReadInstallFile(const std::string& name) const
{
    std::ifstream in(fs::path(m_installFolder) / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WholeProgramTest::RemoveInstallFile(const std::string& name)
{
    fs::remove(fs::path(m_installFolder) / name);
}

std::vector<NOTIFYICONDATAW> WholeProgramTest::TrayCallsOf(DWORD message) const
{
    std::vector<NOTIFYICONDATAW> calls;
    for (const wndtest::TrayCall& call : wndtest::TrayCalls()) {
        if (call.message == message) {
            calls.push_back(call.data);
        }
    }
    return calls;
}

const NOTIFYICONDATAW* WholeProgramTest::LastBalloon() const
{
    const auto& calls = wndtest::TrayCalls();
    for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
        if (it->message == NIM_MODIFY && (it->data.uFlags & NIF_INFO) != 0) {
            return &it->data;
        }
    }
    return nullptr;
}
