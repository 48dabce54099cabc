#include "ui/filelists.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace ui {

namespace fs = std::filesystem;

namespace {

std::string normalised(const std::string& p) {
  std::error_code ec;
  fs::path path = fs::weakly_canonical(fs::path(p.empty() ? "/" : p), ec);
  if (ec) path = fs::path(p);
  std::string s = path.string();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s.empty() ? "/" : s;
}

// What cannot be read shows as empty: a folder without permission is not an error for the user.
std::vector<std::string> listed(const std::string& folder, bool folders) {
  std::vector<std::string> out;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code e2;
    bool isDir = it->is_directory(e2);
    if (e2 || isDir != folders) continue;
    out.push_back(it->path().filename().string());
  }
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace

DriveListBox::DriveListBox(Form* form, Control* container, std::string name)
    : Control(form, container, std::move(name)), drives_{"/"} {
  Drive.setQuietly("/");
}

void DriveListBox::propertyChanged(const void* which) {
  Control::propertyChanged(which);
  if (which == &Drive && Change) Change();
}

DirListBox::DirListBox(Form* form, Control* container, std::string name) : Control(form, container, std::move(name)) {
  std::error_code ec;
  Path.setQuietly(normalised(fs::current_path(ec).string()));
  refresh();
}

void DirListBox::refresh() {
  entries_.clear();
  if (Path.get() != "/") entries_.push_back("..");
  for (auto& d : listed(Path.get(), true)) entries_.push_back(d);
  syncView();
}

void DirListBox::userOpen(const std::string& entry) {
  fs::path p(Path.get());
  Path = normalised(entry == ".." ? p.parent_path().string() : (p / entry).string());
}

void DirListBox::propertyChanged(const void* which) {
  if (which == &Path) {
    Path.setQuietly(normalised(Path.get()));
    refresh();
    if (Change) Change();
    return;
  }
  Control::propertyChanged(which);
}

FileListBox::FileListBox(Form* form, Control* container, std::string name) : Control(form, container, std::move(name)) {
  std::error_code ec;
  Path.setQuietly(normalised(fs::current_path(ec).string()));
  refresh();
}

void FileListBox::refresh() {
  files_ = listed(Path.get(), false);
  syncView();
}

void FileListBox::userChoose(int index) {
  if (index < 0 || index >= int(files_.size())) return;
  FileName = files_[std::size_t(index)];
  raiseClick();
}

void FileListBox::propertyChanged(const void* which) {
  if (which == &Path) {
    Path.setQuietly(normalised(Path.get()));
    FileName.setQuietly("");
    refresh();
    return;
  }
  Control::propertyChanged(which);
}

}  // namespace ui
