// The folder and file lists read the folder they are set to, and report the user's choices.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ui/filelists.h"
#include "ui/form.h"
#include "ui/testing.h"

namespace {

namespace fs = std::filesystem;

struct OpenSave : ui::Form {
  OpenSave() : ui::Form("OpenSave") {}
  ui::DriveListBox Drive1{this, nullptr, "Drive1"};
  ui::DirListBox Dir1{this, nullptr, "Dir1"};
  ui::FileListBox File1{this, nullptr, "File1"};
};

TEST(FileLists, FoldersAndFilesFollowThePathAndTheUsersChoice) {
  ui::ScriptedServices svc;
  fs::path dir = fs::temp_directory_path() / "kesvo-filelists-test";
  fs::remove_all(dir);
  fs::create_directories(dir / "b-folder");
  fs::create_directories(dir / "a-folder");
  std::ofstream(dir / "truss2.txt") << "x";
  std::ofstream(dir / "truss1.txt") << "x";
  OpenSave f;
  int changes = 0, clicks = 0;
  f.Dir1.Change = [&] { ++changes; };
  f.File1.Click = [&] { ++clicks; };
  f.Dir1.Path = dir.string() + "/";
  EXPECT_EQ(f.Dir1.Path.get(), dir.string()) << "no trailing separator but at the root";
  EXPECT_EQ(f.Dir1.items(), (std::vector<std::string>{"..", "a-folder", "b-folder"}));
  EXPECT_EQ(changes, 1);
  f.File1.Path = f.Dir1.Path.get();
  EXPECT_EQ(f.File1.items(), (std::vector<std::string>{"truss1.txt", "truss2.txt"}));
  f.File1.userChoose(1);
  EXPECT_EQ(f.File1.FileName.get(), "truss2.txt");
  EXPECT_EQ(clicks, 1);
  f.File1.userChoose(7);
  EXPECT_EQ(clicks, 1);
  f.Dir1.userOpen("a-folder");
  EXPECT_EQ(f.Dir1.Path.get(), (dir / "a-folder").string());
  f.Dir1.userOpen("..");
  EXPECT_EQ(f.Dir1.Path.get(), dir.string());
  f.Dir1.Path = "/";
  EXPECT_EQ(f.Dir1.Path.get(), "/");
  EXPECT_NE(f.Dir1.items().front(), "..");
  f.File1.Path = (dir / "missing").string();
  EXPECT_TRUE(f.File1.items().empty()) << "a folder that cannot be read lists nothing";
  EXPECT_EQ(f.Drive1.items(), (std::vector<std::string>{"/"}));
  fs::remove_all(dir);
}

}  // namespace

#include "ui/qt_services.h"
#include "ui/views.h"

TEST(FileLists, ShowInAWindow) {
  ui::QtServices svc("t");
  OpenSave f;
  f.Width = 6000;
  f.Height = 4000;
  f.Dir1.Move(120, 600, 1995, 1440);
  f.File1.Move(2220, 240, 1995, 1845);
  ui::realize(f)->show();
  f.Dir1.Path = "/";
  f.File1.Path = "/";
  EXPECT_NE(ui::childHost(f.File1), nullptr);
  ui::unrealize(f);
}
