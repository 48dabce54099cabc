#pragma once
// The drive, folder and file lists of an open/save window. The file system has one root here, so the
// drive list holds one entry; the folder list shows the parent entry ".." and the sub-folders of its Path;
// the file list shows every file of its Path.

#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

class DriveListBox : public Control {
 public:
  DriveListBox(Form* form, Control* container, std::string name);
  const char* kind() const override { return "DriveListBox"; }
  const std::vector<std::string>& items() const { return drives_; }
  // Setting it runs Change.
  Prop<std::string> Drive{this};
  void propertyChanged(const void* which) override;

 private:
  std::vector<std::string> drives_;
};

class DirListBox : public Control {
 public:
  DirListBox(Form* form, Control* container, std::string name);
  const char* kind() const override { return "DirListBox"; }
  // The folder shown, without a trailing separator except for the root. Setting it reads the folder
  // again and runs Change.
  Prop<std::string> Path{this};
  const std::vector<std::string>& items() const { return entries_; }  // ".." first unless at the root
  // What a double click on an entry does: opens that folder.
  void userOpen(const std::string& entry);
  void refresh();
  void propertyChanged(const void* which) override;

 private:
  std::vector<std::string> entries_;
};

class FileListBox : public Control {
 public:
  FileListBox(Form* form, Control* container, std::string name);
  const char* kind() const override { return "FileListBox"; }
  Prop<std::string> Path{this};
  Prop<std::string> FileName{this};  // the chosen file's name, empty for none
  const std::vector<std::string>& items() const { return files_; }
  int ListCount() const { return int(files_.size()); }
  // What a click on a file does: it becomes FileName and Click runs.
  void userChoose(int index);
  void refresh();
  void propertyChanged(const void* which) override;

 private:
  std::vector<std::string> files_;
};

}  // namespace ui
