// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ctl/ctl_fixture.h"

#include <cstdlib>

#include "tests/support/output_folder.h"

namespace fs = std::filesystem;

void CtlFolderTest::SetUp()
{
    char pattern[] = "/tmp/kx-ctl-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    m_root = pattern;
    m_folder = m_root / "program";
    m_run = m_root / "run";
    fs::create_directories(m_folder);
    fs::create_directory(m_run);
    fs::permissions(m_run, fs::perms::owner_all, fs::perm_options::replace);
    m_output = BuildOutputFolder();
    fs::copy_file(m_output / "kx-507-ctl-demo", m_folder / "kx-507-ctl-demo");
    fs::copy_file(m_output / "config.bin", m_folder / "config.bin");
}

void CtlFolderTest::TearDown()
{
    if (!m_root.empty()) {
        fs::remove_all(m_root);
    }
}

std::vector<std::string> CtlFolderTest::Environment() const
{
    // The user's configuration and state folders are the test's own too.
    return {"XDG_RUNTIME_DIR=" + m_run.string(), "XDG_CONFIG_HOME=" + (m_root / "config").string(),
            "XDG_STATE_HOME=" + (m_root / "state").string(), "LANG=C", "LC_ALL=", "LC_MESSAGES=", "QT_QPA_PLATFORM=offscreen"};
}

ProcessResult CtlFolderTest::Ctl(std::vector<std::string> arguments) const
{
    arguments.insert(arguments.begin(), (m_folder / "kx-507-ctl-demo").string());
    return RunProcess({arguments, m_folder, Environment()});
}
