// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the skin pictures of both languages and the application icon, and
// checks, reviews and previews what it drew.
//
//   kx-skingen --out DIR [--contact-sheet FILE]   write Skins/EN, Skins/CHS, icons
//   kx-skingen --verify DIR                       check a written folder
//   kx-skingen --preview DIR INTO                 compose pages as the program will
//   kx-skingen --self-test WORKDIR                check the checker

#include "fonts.h"
#include "output.h"
#include "selftest.h"
#include "sheet.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <stdexcept>

namespace {

int Report(const QStringList& problems, const char* okText)
{
    for (const QString& line : problems) {
        std::fprintf(stderr, "%s\n", qPrintable(line));
    }
    if (problems.isEmpty()) {
        std::printf("%s\n", okText);
        return 0;
    }
    return 1;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: kx-skingen --out DIR [--contact-sheet FILE]\n"
                 "       kx-skingen --verify DIR\n"
                 "       kx-skingen --preview DIR INTO\n"
                 "       kx-skingen --self-test WORKDIR\n");
    return 2;
}

int Run(const QStringList& args)
{
    if (args.size() >= 2 && args[0] == "--verify") {
        return Report(skin::Verify(args[1]), "skins verified");
    }
    skin::LoadFonts();
    if (args.size() == 2 && args[0] == "--self-test") {
        return Report(skin::SelfTest(args[1]), "self-test passed");
    }
    if (args.size() == 3 && args[0] == "--preview") {
        skin::WritePreviews(args[1], args[2]);
        return 0;
    }
    if ((args.size() == 2 || args.size() == 4) && args[0] == "--out") {
        skin::WriteAll(args[1]);
        if (args.size() == 4 && args[2] == "--contact-sheet") {
            skin::SavePicture(skin::ContactSheet(args[1]), false, args[3]);
        }
        return Report(skin::Verify(args[1]), "skins written");
    }
    return Usage();
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QStringList args = QGuiApplication::arguments();
    args.removeFirst();
    try {
        return Run(args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kx-skingen: %s\n", e.what());
        return 1;
    }
}
