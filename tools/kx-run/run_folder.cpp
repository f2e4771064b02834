#include "tools/kx-run/run_folder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

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
    switch (step.kind) {
    case StepKind::ConfigBinFile:
        return CopyInto(scriptFolder / step.path, folder / "config.bin");
    case StepKind::ConfigBinMissing:
        return Remove(folder / "config.bin");
    case StepKind::StrIniFile:
        return CopyInto(scriptFolder / step.path, folder / "str.ini");
    case StepKind::StrIniMissing:
        return Remove(folder / "str.ini");
    case StepKind::SkinsMissing:
        return Remove(skins);
    case StepKind::SkinsBroken: {
        std::error_code error;
        for (fs::recursive_directory_iterator it(skins, error), end; !error && it != end; it.increment(error)) {
            if (it->is_regular_file() && it->path().extension() == ".png") {
                if (auto failed = BreakPicture(it->path())) {
                    return failed;
                }
            }
        }
        return error ? Fail("cannot walk", skins, error) : std::nullopt;
    }
    case StepKind::SkinFileMissing:
        if (std::error_code error; !fs::exists(skins / step.path, error)) {
            return "no such skin file: " + step.path;
        }
        return Remove(skins / step.path);
    case StepKind::SkinFileBroken:
        return BreakPicture(skins / step.path);
    case StepKind::SkinFilePipe:
        return ReplaceWithPipe(skins / step.path);
    default:
        return std::nullopt;
    }
}

std::optional<std::string> ReadWholeFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
