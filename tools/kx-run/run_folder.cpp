// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kx-run/run_folder.h"

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "platform/services/files.h"
#include "tools/kx-run/script.h"

namespace fs = std::filesystem;

namespace {

// A broken picture keeps the PNG signature and the start of its header, as a
// file cut short by a failed copy would.
constexpr std::size_t kBrokenPictureLength = 33;

std::optional<std::string> Fail(const std::string& what, const fs::path& path, const std::error_code& error)
{
    return what + " " + path.filename().string() + ": " + error.message();
}

// Whether path, every link in it followed, stays inside folder.
bool LeadsInto(const fs::path& folder, const fs::path& path)
{
    std::error_code error;
    const fs::path inside = fs::canonical(folder, error);
    const fs::path target = fs::weakly_canonical(path, error);
    if (error) {
        return false;
    }
    const auto [end, rest] = std::mismatch(inside.begin(), inside.end(), target.begin(), target.end());
    return end == inside.end();
}

// A file a set-up line may change: inside the run folder, also after links.
std::optional<std::string> RefuseOutside(const fs::path& folder, const fs::path& path)
{
    if (!LeadsInto(folder, path)) {
        return path.filename().string() + " leads out of the run folder";
    }
    return std::nullopt;
}

std::optional<std::string> BreakPicture(const fs::path& path)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return "no such skin file: " + path.filename().string();
    }
    fs::resize_file(path, std::min<std::uintmax_t>(fs::file_size(path, error), kBrokenPictureLength), error);
    return error ? Fail("cannot break", path, error) : std::nullopt;
}

std::optional<std::string> CopyInto(const fs::path& source, const fs::path& target)
{
    std::error_code error;
    if (!fs::is_regular_file(source, error)) {
        return "cannot read " + source.string();
    }
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
    return error ? Fail("cannot copy", source, error) : std::nullopt;
}

std::optional<std::string> Remove(const fs::path& path)
{
    std::error_code error;
    fs::remove_all(path, error);
    return error ? Fail("cannot remove", path, error) : std::nullopt;
}

std::optional<std::string> ReplaceWithPipe(const fs::path& path)
{
    if (std::error_code error; !fs::is_regular_file(path, error)) {
        return "no such skin file: " + path.filename().string();
    }
    if (auto failed = Remove(path)) {
        return failed;
    }
    if (::mkfifo(path.c_str(), 0600) != 0) {
        return Fail("cannot make a pipe of", path, std::error_code(errno, std::generic_category()));
    }
    return std::nullopt;
}

// Every picture below skins is checked before the first is cut short.
std::optional<std::string> BreakEveryPicture(const fs::path& folder, const fs::path& skins)
{
    std::error_code error;
    std::vector<fs::path> pictures;
    for (fs::recursive_directory_iterator it(skins, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file() && it->path().extension() == ".png") {
            if (auto outside = RefuseOutside(folder, it->path())) {
                return outside;
            }
            pictures.push_back(it->path());
        }
    }
    if (error) {
        return Fail("cannot walk", skins, error);
    }
    for (const fs::path& picture : pictures) {
        if (auto failed = BreakPicture(picture)) {
            return failed;
        }
    }
    return std::nullopt;
}

// The file or folder of the run folder that a set-up line changes.
fs::path FileChangedBy(const Step& step, const fs::path& folder)
{
    switch (step.kind) {
    case StepKind::ConfigBinFile:
    case StepKind::ConfigBinMissing:
    case StepKind::ConfigBinFolder:
    case StepKind::ConfigBinBytes:
        return folder / "config.bin";
    case StepKind::StrIniFile:
    case StepKind::StrIniMissing:
        return folder / "str.ini";
    case StepKind::SkinsMissing:
    case StepKind::SkinsBroken:
        return folder / "Skins";
    default:
        return folder / "Skins" / step.path;
    }
}

// Writes bytes over a regular file at an offset, within its length.
std::optional<std::string> PatchFile(const fs::path& path, std::size_t offset, const std::vector<std::uint8_t>& bytes)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error) || fs::file_size(path, error) < offset + bytes.size()) {
        return "cannot write " + std::to_string(bytes.size()) + " bytes at offset " + std::to_string(offset) + " of " +
               path.filename().string();
    }
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(static_cast<std::streamoff>(offset));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file ? std::nullopt : std::optional<std::string>("cannot write " + path.filename().string());
}

}  // namespace

fs::path MakePrivateFolder(const std::string& prefix)
{
    std::error_code error;
    std::string pattern = (fs::temp_directory_path(error) / (prefix + "-XXXXXX")).string();
    if (error) {
        return {};
    }
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) {
        return {};
    }
    return fs::path(buffer.data());
}

std::optional<std::string> CopyOutputFolder(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    for (const char* folder : {"Skins", "icons"}) {
        if (fs::is_directory(from / folder, error)) {
            fs::copy(from / folder, to / folder, fs::copy_options::recursive, error);
            if (error) {
                return Fail("cannot copy", from / folder, error);
            }
        }
    }
    if (fs::exists(from / "config.bin", error)) {
        return CopyInto(from / "config.bin", to / "config.bin");
    }
    return std::nullopt;
}

std::optional<std::string> ApplyFileSetup(const Step& step, const fs::path& folder, const fs::path& scriptFolder)
{
    const fs::path skins = folder / "Skins";
    const fs::path file = FileChangedBy(step, folder);
    if (auto outside = RefuseOutside(folder, file)) {
        return outside;
    }
    switch (step.kind) {
    case StepKind::ConfigBinFile:
    case StepKind::StrIniFile:
        return CopyInto(scriptFolder / step.path, file);
    case StepKind::ConfigBinFolder: {
        // No write can replace a folder, whoever runs the program.
        if (auto failed = Remove(file)) {
            return failed;
        }
        std::error_code error;
        fs::create_directory(file, error);
        return error ? Fail("cannot make the folder", file, error) : std::nullopt;
    }
    case StepKind::ConfigBinBytes:
        return PatchFile(file, static_cast<std::size_t>(step.number), step.bytes);
    case StepKind::ConfigBinMissing:
    case StepKind::StrIniMissing:
    case StepKind::SkinsMissing:
        return Remove(file);
    case StepKind::SkinsBroken:
        return BreakEveryPicture(folder, skins);
    case StepKind::SkinFileMissing:
        if (std::error_code error; !fs::exists(file, error)) {
            return "no such skin file: " + step.path;
        }
        return Remove(file);
    case StepKind::SkinFileBroken:
        return BreakPicture(file);
    case StepKind::SkinFilePipe:
        return ReplaceWithPipe(file);
    default:
        return std::nullopt;
    }
}

std::optional<std::string> ReadWholeFile(const fs::path& path, std::size_t maxBytes)
{
    return ReadWholeFileW(path.u16string().c_str(), maxBytes);
}
