#include "core/config/config_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/config/program_state.h"
#include "support/temp_folder.h"

namespace pendolux {
namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class ConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override { set_program_folder(folder.folder()); }
    void TearDown() override { close_new_config(); }
    test::TempFolder folder;
    std::string path() const { return folder.file("config.dat"); }
};

TEST_F(ConfigFileTest, MissingFileIsCreatedEmptyAndHeldUntilClosed) {
    EXPECT_EQ(load_config(1920, 1080), ConfigLoad::created);
    EXPECT_EQ(config().window_x, 910);
    ASSERT_TRUE(std::filesystem::exists(path()));
    save_config();  // the first-start reset's save finds the file held
    EXPECT_EQ(std::filesystem::file_size(path()), 0u);
    close_new_config();
    save_config();
    EXPECT_EQ(std::filesystem::file_size(path()), config_record_size);
    ConfigRecord back;
    EXPECT_EQ(load_config_file(back, path(), 0, 0), ConfigLoad::loaded);
    EXPECT_EQ(pack_config(back), pack_config(config()));
}

TEST_F(ConfigFileTest, ShortAndLongFiles) {
    write_file(path(), "");
    EXPECT_EQ(load_config(1920, 1080), ConfigLoad::loaded);
    EXPECT_EQ(pack_config(config()), ConfigImage{});  // no defaults for an empty file

    std::string long_file(400, '\x07');
    write_file(path(), long_file);
    EXPECT_EQ(load_config(1920, 1080), ConfigLoad::loaded);
    EXPECT_EQ(config().window_x, 0x07070707);
    config().window_x = 5;
    save_config();
    const std::string saved = read_file(path());
    ASSERT_EQ(saved.size(), 400u);
    EXPECT_EQ(saved.substr(341), long_file.substr(341));  // the tail is kept
    EXPECT_EQ(saved[294], 5);
}

TEST_F(ConfigFileTest, GarbageLoadsAsItIs) {
    std::string bytes(341, '\xFF');  // NaN doubles, negative totals, path without terminator
    write_file(path(), bytes);
    EXPECT_EQ(load_config(800, 600), ConfigLoad::loaded);
    EXPECT_TRUE(std::isnan(config().diagonal));
    EXPECT_EQ(config().keystrokes.load(), -1);
    EXPECT_EQ(skin_path_text(config()).size(), 255u);
    save_config();
    EXPECT_EQ(read_file(path()), bytes);
}

TEST_F(ConfigFileTest, ReadOnlyFileIsLeftAsItWas) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
    write_file(path(), std::string(341, '\x01'));
    ::chmod(path().c_str(), 0444);
    config().window_x = 99;
    save_config();
    EXPECT_EQ(read_file(path()), std::string(341, '\x01'));
}

TEST_F(ConfigFileTest, SaveIsSkippedWhileAnotherOpenerHoldsTheFile) {
    // Holding the file exclusively stands for a read-only file (root ignores modes).
    write_file(path(), std::string(341, '\x01'));
    const int holder = ::open(path().c_str(), O_RDWR);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    config().window_x = 99;
    save_config();
    ::close(holder);
    EXPECT_EQ(read_file(path()), std::string(341, '\x01'));
}

TEST_F(ConfigFileTest, UnwritableFolderAtFirstStartKeepsTheDefaultsInMemory) {
    set_program_folder(folder.file("missing/"));
    EXPECT_EQ(load_config(1366, 768), ConfigLoad::created);
    EXPECT_EQ(config().window_x, 633);
    save_config();  // silently skipped
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing/config.dat")));
}

TEST_F(ConfigFileTest, FilesLiveInTheProgramFolderNotTheWorkingDirectory) {
    test::TempFolder elsewhere;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.path());
    load_config(1280, 1024);
    close_new_config();
    save_config();
    std::filesystem::current_path(previous);
    EXPECT_TRUE(std::filesystem::exists(path()));
    EXPECT_FALSE(std::filesystem::exists(elsewhere.file("config.dat")));
}

}  // namespace
}  // namespace pendolux
