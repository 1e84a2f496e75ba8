// Autostart entries in a temporary root standing for /etc/xdg and the home folder.
#include "platform/x11/autostart_entry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "support/temp_folder.h"

namespace pendolux::x11 {
namespace {

namespace fs = std::filesystem;

std::string read_file(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Autostart : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(system_folder);
        fs::create_directories(home);
    }
    void TearDown() override {
        fs::permissions(system_folder, fs::perms::owner_all);
    }

    std::string system_entry() const { return system_folder + "/Pendolux.desktop"; }
    std::string user_entry() const { return home + "/.config/autostart/Pendolux.desktop"; }

    // The system folder as a normal user sees it: not writable. Root writes
    // anyway, so then the work runs in a child process without root's rights.
    void as_user_without_rights(const std::function<void()>& work) {
        fs::permissions(system_folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                           fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
        if (::geteuid() != 0) {
            work();
            return;
        }
        // The child needs to reach the temporary root.
        fs::permissions(root.path(), fs::perms::all);
        fs::permissions(root.path() + "/etc", fs::perms::all);
        fs::permissions(root.path() + "/etc/xdg", fs::perms::all);
        fs::permissions(root.path() + "/home", fs::perms::all);
        for (const auto& entry : fs::recursive_directory_iterator(home)) fs::permissions(entry.path(), fs::perms::all);
        fs::permissions(home, fs::perms::all);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
            work();
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    test::TempFolder root;
    std::string system_folder = root.path() + "/etc/xdg/autostart";
    std::string home = root.path() + "/home/user";
    std::string program = "/opt/pendolux/pendolux";
};

TEST_F(Autostart, RegistersInTheSystemFolderAndRemovesAgain) {
    set_autostart_in(true, program, system_folder, home);
    EXPECT_EQ(read_file(system_entry()),
              "[Desktop Entry]\nType=Application\nName=Pendolux\nExec=/opt/pendolux/pendolux\nTerminal=false\n");
    EXPECT_FALSE(fs::exists(user_entry()));
    EXPECT_FALSE(fs::exists(system_entry() + ".new"));

    set_autostart_in(false, program, system_folder, home);
    EXPECT_FALSE(fs::exists(system_entry()));
    EXPECT_FALSE(fs::exists(user_entry()));
    // Removing what is not there does nothing.
    set_autostart_in(false, program, system_folder, home);
    EXPECT_FALSE(fs::exists(system_entry()));
    EXPECT_FALSE(fs::exists(root.path() + "/home/user/.config"));
}

TEST_F(Autostart, RegisteringAgainReplacesTheEntry) {
    set_autostart_in(true, "/old/place/pendolux", system_folder, home);
    set_autostart_in(true, program, system_folder, home);
    EXPECT_NE(read_file(system_entry()).find("Exec=/opt/pendolux/pendolux\n"), std::string::npos);
}

TEST_F(Autostart, FallsBackToTheUserFolderWhenTheSystemFolderIsReadOnly) {
    as_user_without_rights([&] { set_autostart_in(true, program, system_folder, home); });
    EXPECT_FALSE(fs::exists(system_entry()));
    EXPECT_NE(read_file(user_entry()).find("Exec=/opt/pendolux/pendolux\n"), std::string::npos);
    EXPECT_EQ(read_file(user_entry()).find("Hidden"), std::string::npos);

    as_user_without_rights([&] { set_autostart_in(false, program, system_folder, home); });
    EXPECT_FALSE(fs::exists(user_entry()));
}

TEST_F(Autostart, FallsBackWhenTheSystemFolderIsMissing) {
    const std::string missing = root.path() + "/no/such/folder";
    set_autostart_in(true, program, missing, home);
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_TRUE(fs::exists(user_entry()));
    set_autostart_in(false, program, missing, home);
    EXPECT_FALSE(fs::exists(user_entry()));
}

// An entry put there by an administrator cannot be removed by the user: a
// hidden entry of the same name in the user's folder cancels it for them.
TEST_F(Autostart, HidesASystemEntryThatCannotBeRemoved) {
    set_autostart_in(true, program, system_folder, home);
    as_user_without_rights([&] { set_autostart_in(false, program, system_folder, home); });
    EXPECT_TRUE(fs::exists(system_entry()));
    EXPECT_NE(read_file(user_entry()).find("\nHidden=true\n"), std::string::npos);

    // Ticking again with the rights to the system folder drops the hiding entry.
    set_autostart_in(true, program, system_folder, home);
    EXPECT_FALSE(fs::exists(user_entry()));
}

TEST_F(Autostart, NothingHappensWithoutAnyWritableFolder) {
    const std::string missing = root.path() + "/missing";
    set_autostart_in(true, program, missing, "");
    set_autostart_in(false, program, missing, "");
    EXPECT_TRUE(fs::is_empty(root.path() + "/home/user"));
}

TEST(DesktopExecValue, QuotesReservedCharacters) {
    const struct {
        const char* path;
        const char* exec;
    } cases[] = {
        {"/opt/pendolux/pendolux", "/opt/pendolux/pendolux"},
        {"/home/anna/Meine Programme/pendolux", "\"/home/anna/Meine Programme/pendolux\""},
        {"/tmp/a\"b$c`d\\e/pendolux", "\"/tmp/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e/pendolux\""},
        {"/tmp/50%/pendolux", "/tmp/50%%/pendolux"},
        {"/tmp/it's (mine)/pendolux", "\"/tmp/it's (mine)/pendolux\""},
        {"/tmp/tab\there/pendolux", "\"/tmp/tab\\there/pendolux\""},
        {"/tmp/line\nbreak/pendolux", "\"/tmp/line\\nbreak/pendolux\""},
        {"/tmp/B\xC3\xBC" "ro/pendolux", "/tmp/B\xC3\xBC" "ro/pendolux"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(desktop_exec_value(c.path), c.exec);
    }
}

}  // namespace
}  // namespace pendolux::x11
