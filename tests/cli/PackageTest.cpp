// The .deb that CPack made, unpacked into a scratch root with dpkg -x: its programs start from
// there, and every file a user needs is in its freedesktop place.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct Output {
    int status = -1;
    std::string text;
};

Output run(const std::string& command) {
    Output output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    char buffer[4096];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) {
        output.text.append(buffer, n);
    }
    const int status = pclose(pipe);
    output.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return output;
}

class InstalledPackage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        for (const auto& entry : fs::directory_iterator(PACKAGE_DIR)) {
            if (entry.path().extension() == ".deb") {
                deb = entry.path().string();
            }
        }
        ASSERT_FALSE(deb.empty()) << "no .deb in " << PACKAGE_DIR;
        root =
            (fs::temp_directory_path() / ("zol-package-root-" + std::to_string(getpid()))).string();
        fs::remove_all(root);
        ASSERT_EQ(run("dpkg -x '" + deb + "' '" + root + "'").status, 0);
    }
    static void TearDownTestSuite() { fs::remove_all(root); }

    static std::string env() {
        return "env LD_LIBRARY_PATH='" + root + "/usr/" + LIB_DIR + "' QT_QPA_PLATFORM=offscreen ";
    }

    static inline std::string deb;
    static inline std::string root;
};

TEST_F(InstalledPackage, ControlNamesTheRuntimeDependencies) {
    const Output control = run("dpkg-deb -f '" + deb + "' Package Depends");
    ASSERT_EQ(control.status, 0) << control.text;
    EXPECT_NE(control.text.find("Package: tessmarc"), std::string::npos);
    for (const char* dependency : {"libqt6widgets6", "liblhasa0", "fonts-ipafont-gothic"}) {
        EXPECT_NE(control.text.find(dependency), std::string::npos) << control.text;
    }
}

TEST_F(InstalledPackage, HoldsEveryFileInItsPlace) {
    for (const std::string file :
         {"usr/bin/tessmarc", "usr/bin/zol", "usr/" LIB_DIR "/libunlha32.so",
          "usr/share/applications/tessmarc.desktop",
          "usr/share/icons/hicolor/32x32/apps/tessmarc.png", "usr/share/man/man1/zol.1.gz"}) {
        EXPECT_TRUE(fs::exists(root + "/" + file)) << file;
    }
    EXPECT_FALSE(fs::is_empty(root + "/usr/share/tessmarc/help"));
}

TEST_F(InstalledPackage, ZolRunsFromThere) {
    const Output version = run(env() + "'" + root + "/usr/bin/zol' --version");
    EXPECT_EQ(version.status, 0) << version.text;
    EXPECT_EQ(version.text.rfind("zol " ZOL_VERSION_TEXT " ", 0), 0u) << version.text;
    // It needs no Qt at all.
    const Output libraries = run("ldd '" + root + "/usr/bin/zol'");
    EXPECT_EQ(libraries.text.find("libQt6"), std::string::npos) << libraries.text;
}

// The window has no option that ends it, so it is started on the offscreen platform and
// stopped after a few seconds: a timeout (exit 124) is a start that did not crash.
TEST_F(InstalledPackage, TessmarcStartsFromThere) {
    const Output started = run(env() + "timeout 4 '" + root + "/usr/bin/tessmarc'");
    EXPECT_EQ(started.status, 124) << started.text;
    const Output libraries = run(env() + "ldd '" + root + "/usr/bin/tessmarc'");
    EXPECT_EQ(libraries.text.find("not found"), std::string::npos) << libraries.text;
    EXPECT_NE(libraries.text.find(root + "/usr/" LIB_DIR "/libunlha32.so"), std::string::npos)
        << libraries.text;
}

} // namespace
