// SPDX-License-Identifier: GPL-3.0-or-later
// A picture file is looked at on every load: a picture decoded before is
// given again only while its file has the same device, inode, size and
// modification time to the nanosecond, and only when the file had gone
// unchanged for a while; a changed, removed, broken or replaced file is
// noticed at once, and a failure is never kept.
//
// A picture kept is seen here by rewriting its file in place with another
// picture of the same size and putting its modification time back: the load
// then still gives the first picture.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/gdi/picture_file.h"
#include "tests/platform/gdi/test_png.h"

namespace fs = std::filesystem;

namespace {

// A 4 x 3 opaque picture of one colour; every such file has the same size.
void WriteColour(const fs::path& path, std::uint8_t red, std::uint8_t blue)
{
    TestPng png{TestPng::Type::Rgb, 4, 3, {}, {}, {}};
    for (int i = 0; i < 4 * 3; ++i) {
        png.pixels.insert(png.pixels.end(), {red, 0, blue});
    }
    ASSERT_TRUE(WriteTestPng(path, png));
}

// The red of the loaded picture's first pixel; -1 when nothing loads.
int RedOf(const fs::path& path)
{
    const auto picture = DecodePictureFile(path.u16string());
    return picture ? picture->pixels[2] : -1;
}

// A file written an hour ago, as the skin's files are.
void WriteOld(const fs::path& path, std::uint8_t red)
{
    WriteColour(path, red, 0);
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
}

// The file rewritten in place with another colour, its time put back.
void RewriteKeepingTime(const fs::path& path, std::uint8_t red, fs::file_time_type time)
{
    WriteColour(path, red, 0);
    fs::last_write_time(path, time);
}

}  // namespace

TEST(PictureCache, AnUnchangedFileGivesThePictureDecodedBeforeAndAnyChangeIsSeen)
{
    TempFolder folder;
    const fs::path file = folder.Path() / "page.png";
    WriteOld(file, 10);
    const auto time = fs::last_write_time(file);
    EXPECT_EQ(RedOf(file), 10);

    RewriteKeepingTime(file, 20, time);
    EXPECT_EQ(RedOf(file), 10) << "same device, inode, size and time: the picture kept";
    fs::last_write_time(file, time + std::chrono::nanoseconds(1));
    EXPECT_EQ(RedOf(file), 20) << "a nanosecond later";

    // Another file moved into its place: another inode.
    const auto kept = fs::last_write_time(file);
    WriteColour(folder.Path() / "other.png", 30, 0);
    fs::last_write_time(folder.Path() / "other.png", kept);
    fs::rename(folder.Path() / "other.png", file);
    EXPECT_EQ(RedOf(file), 30);

    // Broken on disk, then whole again with its old time: the failure was not kept.
    const auto brokenAt = fs::last_write_time(file);
    fs::resize_file(file, fs::file_size(file) - 20);
    fs::last_write_time(file, brokenAt);
    EXPECT_EQ(RedOf(file), -1);
    RewriteKeepingTime(file, 40, brokenAt);
    EXPECT_EQ(RedOf(file), 40);

    fs::remove(file);
    EXPECT_EQ(RedOf(file), -1) << "removed";
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(RedOf(file), -1) << "a pipe in its place";
}

// The system stamps a change with a clock that moves in ticks, so a file
// rewritten just after it was read may keep its time: a picture is not kept
// from a file whose time is not yet well past. (Its time is set a minute
// ahead here, so that no slow run lets it pass.)
TEST(PictureCache, AFileChangedJustNowIsDecodedAgain)
{
    TempFolder folder;
    const fs::path file = folder.Path() / "fresh.png";
    WriteColour(file, 50, 0);
    const auto time = fs::file_time_type::clock::now() + std::chrono::minutes(1);
    fs::last_write_time(file, time);
    EXPECT_EQ(RedOf(file), 50);
    RewriteKeepingTime(file, 60, time);
    EXPECT_EQ(RedOf(file), 60);
}

// Pictures beyond the cache's room push out the least recently loaded.
TEST(PictureCache, HoldsNoMoreThanItsRoom)
{
    TempFolder folder;
    const auto name = [&folder](std::size_t i) { return folder.Path() / ("p" + std::to_string(i) + ".png"); };
    for (std::size_t i = 0; i <= kPictureCacheEntries; ++i) {
        WriteOld(name(i), 1);
    }
    // Exactly the room: the first picture is still kept after the others.
    for (std::size_t i = 0; i < kPictureCacheEntries; ++i) {
        ASSERT_EQ(RedOf(name(i)), 1);
    }
    RewriteKeepingTime(name(0), 2, fs::last_write_time(name(0)));
    EXPECT_EQ(RedOf(name(0)), 1);
    // One more, loaded after the first: the second is pushed out, the first kept.
    EXPECT_EQ(RedOf(name(kPictureCacheEntries)), 1);
    RewriteKeepingTime(name(1), 3, fs::last_write_time(name(1)));
    EXPECT_EQ(RedOf(name(1)), 3);
    EXPECT_EQ(RedOf(name(0)), 1);
}
